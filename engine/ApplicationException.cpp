#include "engine/ApplicationException.h"

#include <QApplication>
#include <QMessageBox>

namespace {

std::function<void(const QString&)>& handler()
{
    static std::function<void(const QString&)> installed;
    return installed;
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
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

void SetApplicationExceptionHandler(std::function<void(const QString& message)> installed)
{
    handler() = std::move(installed);
}
