#include "common/error_handler.h"

#include "common/message_box.h"

#include <QString>

void ErrorHandler::report(QWidget* parent, const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        refuse(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        refuse(parent, QStringLiteral("未知错误"));
    }
}

bool runGuarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (...) {
        ErrorHandler::report(parent, std::current_exception());
        return false;
    }
}
