#include "filter/filter_scheme_bar.h"

#include "common/app_settings.h"
#include "common/form_widgets.h"
#include "common/input_dialog.h"
#include "common/message_box.h"
#include "filter/filter_scheme.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

constexpr int kWidth = 228;
const QString kSuffix = QStringLiteral(".txt");
const QString kLastSchemeKey = QStringLiteral("totalfilt/lastScheme");

// A name that is one file in the folder on every desktop: no separators or reserved characters.
bool usableName(const QString& name)
{
    static const QString reserved = QStringLiteral("\\/:*?\"<>|");
    if (name.isEmpty() || name.startsWith('.'))
        return false;
    for (QChar c : name)
        if (reserved.contains(c) || c.unicode() < 0x20)
            return false;
    return true;
}

} // namespace

FilterSchemeBar::FilterSchemeBar(const QString& folder, Source source, SpaceOf space, QWidget* parent)
    : QWidget(parent), folder_(folder), source_(std::move(source)), space_(std::move(space))
{
    setObjectName("pnlfangan");
    FormWidgets::label(this, QStringLiteral("过滤方案："), {0, 0, kWidth, 18});
    cbbfangan_ = new QComboBox(this);
    cbbfangan_->setObjectName("cbbfangan");
    cbbfangan_->setPlaceholderText(QStringLiteral("选择方案即载入"));
    cbbfangan_->setGeometry(0, 20, kWidth, 24);
    QPushButton* save =
        FormWidgets::button(this, "btnsavefangan", QStringLiteral("保存方案"), {0, 48, kWidth / 2 - 3, 26});
    QPushButton* remove =
        FormWidgets::button(this, "btndelfangan", QStringLiteral("删除方案"), {kWidth / 2 + 3, 48, kWidth / 2 - 3, 26});
    connect(save, &QPushButton::clicked, this, &FilterSchemeBar::save);
    connect(remove, &QPushButton::clicked, this, &FilterSchemeBar::remove);
    connect(cbbfangan_, &QComboBox::activated, this, &FilterSchemeBar::choose);
    refresh();
}

QString FilterSchemeBar::pathOf(const QString& name) const
{
    return folder_ + '/' + name + kSuffix;
}

void FilterSchemeBar::refresh()
{
    const QString current = cbbfangan_->currentText();
    QStringList names;
    for (const QString& file : QDir(folder_).entryList({'*' + kSuffix}, QDir::Files, QDir::Name))
        names.append(file.chopped(kSuffix.size()));
    cbbfangan_->clear();
    cbbfangan_->addItems(names);
    cbbfangan_->setCurrentIndex(static_cast<int>(names.indexOf(current)));
}

void FilterSchemeBar::chooseLast()
{
    const int index = cbbfangan_->findText(AppSettings::value(kLastSchemeKey).toString());
    if (index < 0)
        return;
    cbbfangan_->setCurrentIndex(index);
    choose(index);
}

void FilterSchemeBar::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void FilterSchemeBar::save()
{
    QString message;
    const std::optional<quorlin::TotalFilterSettings> settings = source_(message);
    if (!settings) {
        refuse(this, message);
        return;
    }
    const QString answer =
        InputDialog::getText(this, QStringLiteral("保存方案"), QStringLiteral("方案名称："), cbbfangan_->currentText());
    if (answer.isNull())
        return;
    const QString name = answer.trimmed();
    if (!usableName(name)) {
        refuse(this, QStringLiteral("方案名称不能为空，不能以“.”开头，也不能含有 \\ / : * ? \" < > | 等字符！"));
        return;
    }
    const QString path = pathOf(name);
    if (QFile::exists(path) &&
        MessageBox::question(this, QStringLiteral("提示"), QStringLiteral("方案“%1”已经存在，要替换它吗？").arg(name),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    std::string error;
    if (!QDir().mkpath(folder_)) {
        refuse(this, QStringLiteral("无法建立方案文件夹：%1").arg(folder_));
        return;
    }
    if (!quorlin::writeFilterScheme(*settings, path.toStdString(), error)) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    refresh();
    cbbfangan_->setCurrentIndex(cbbfangan_->findText(name));
    AppSettings::setValue(kLastSchemeKey, name);
}

void FilterSchemeBar::remove()
{
    const QString name = cbbfangan_->currentText();
    if (cbbfangan_->currentIndex() < 0 || name.isEmpty()) {
        refuse(this, QStringLiteral("请先选择要删除的方案！"));
        return;
    }
    if (MessageBox::question(this, QStringLiteral("提示"), QStringLiteral("确定要删除方案“%1”吗？").arg(name),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!QFile::remove(pathOf(name)) && QFile::exists(pathOf(name))) {
        refuse(this, QStringLiteral("无法删除方案文件：%1").arg(pathOf(name)));
        return;
    }
    cbbfangan_->setCurrentIndex(-1);
    refresh();
}

void FilterSchemeBar::choose(int index)
{
    const QString name = cbbfangan_->itemText(index);
    const quorlin::FilterScheme scheme = quorlin::readFilterScheme(pathOf(name).toStdString(), space_());
    if (!scheme.ok) {
        refuse(this, QStringLiteral("方案“%1”%2").arg(name, QString::fromStdString(scheme.error)));
        return;
    }
    AppSettings::setValue(kLastSchemeKey, name);
    emit schemeChosen(scheme.settings);
}
