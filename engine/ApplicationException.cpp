// The application's exception display: the message box captioned with the application's title.
#include "engine/ApplicationException.h"

#include "platform/system/MessageBox.h"

#include <QApplication>

namespace {

std::function<void(const QString&)>& handler()
{
    static std::function<void(const QString&)> installed;
    return installed;
}

QString& title()
{
    static QString text;
    return text;
}

QString messageOf(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return QStringLiteral("Erreur inconnue");
}

}  // namespace

void HandleApplicationException(std::exception_ptr error)
{
    const QString message = messageOf(error);
    if (handler()) {
        handler()(message);
        return;
    }
    const QString caption = title().isEmpty() ? QApplication::applicationName() : title();
    platform::ShowMessageBox({QApplication::activeWindow(), caption, message, platform::MessageIcon::Error});
}

void SetApplicationTitle(const QString& text)
{
    title() = text;
}

void SetApplicationExceptionHandler(std::function<void(const QString& message)> installed)
{
    handler() = std::move(installed);
}
