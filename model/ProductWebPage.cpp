// The product's web page: the configured address or the help page beside the program.
#include "model/ProductWebPage.h"

#include "platform/system/ProgramFolder.h"

QUrl ProductWebPage()
{
    const QString configured = QStringLiteral(VISTREL_HOME_PAGE);
    if (!configured.isEmpty())
        return QUrl(configured);
    return QUrl::fromLocalFile(platform::DataFile(QStringLiteral("aide.htm")));
}
