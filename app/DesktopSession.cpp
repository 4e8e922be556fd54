// Display platform choice and desktop forms of a medium's name.
#include "app/DesktopSession.h"

#include <QRegularExpression>
#include <QUrl>

QByteArray PlatformForSession(const QByteArray& chosenPlatform, const QByteArray& waylandDisplay,
                              const QByteArray& sessionType, const QByteArray& x11Display)
{
    if (!chosenPlatform.isEmpty() || x11Display.isEmpty())
        return {};
    const bool wayland = !waylandDisplay.isEmpty() || sessionType.toLower() == "wayland";
    return wayland ? QByteArrayLiteral("xcb") : QByteArray();
}

void ChooseDisplayPlatform()
{
    const QByteArray platform = PlatformForSession(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                                   qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

QString LocalMedium(const QString& argument)
{
    // A device name is letters, digits and a few separators, never a path of its own.
    static const QRegularExpression gvfsCd(QStringLiteral("/gvfs/cdda:host=([A-Za-z0-9][A-Za-z0-9_.-]*)/?$"));
    static const QRegularExpression cddaUrl(QStringLiteral("^cdda://([A-Za-z0-9][A-Za-z0-9_.-]*)/?$"));
    if (const QRegularExpressionMatch m = cddaUrl.match(argument); m.hasMatch())
        return QStringLiteral("/dev/") + m.captured(1);
    QString path = argument;
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        if (url.isValid() && url.isLocalFile())
            path = url.toLocalFile();
    }
    if (const QRegularExpressionMatch m = gvfsCd.match(path); m.hasMatch())
        return QStringLiteral("/dev/") + m.captured(1);
    return path;
}
