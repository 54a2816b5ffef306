#include "common/desktop_opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace {

struct TestState {
    bool on = false;
    bool refusing = false;
    QList<DesktopOpener::Record> recorded;
};

TestState& testState()
{
    static TestState state;
    return state;
}

} // namespace

bool DesktopOpener::openUrl(const QUrl& url)
{
    if (testState().on) {
        testState().recorded.append({Kind::Url, url});
        return !testState().refusing;
    }
    return QDesktopServices::openUrl(url);
}

bool DesktopOpener::startProgram(const QString& path)
{
    if (testState().on) {
        testState().recorded.append({Kind::Program, QUrl::fromLocalFile(path)});
        return !testState().refusing;
    }
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

void DesktopOpener::setTestMode(bool on)
{
    testState().on = on;
    testState().refusing = false;
}

void DesktopOpener::setRefusing(bool refusing)
{
    testState().refusing = refusing;
}

QList<DesktopOpener::Record> DesktopOpener::recorded()
{
    return testState().recorded;
}

void DesktopOpener::clearRecorded()
{
    testState().recorded.clear();
}
