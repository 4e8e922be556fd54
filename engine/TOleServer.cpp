#include "engine/TOleServer.h"

#include <QSysInfo>

TOleServer::TOleServer(QObject* owner, TServerData& serverData) : QObject(owner), serverData_(serverData)
{
    if (serverData_.Factory)
        com::registerClass(serverData_.ClassID, serverData_.ProgID, serverData_.Factory);
    ++serverData_.InstanceCount;
}

TOleServer::~TOleServer()
{
    --serverData_.InstanceCount;
}

void TOleServer::Loaded()
{
    if (AutoConnect())
        Connect();
}

static com::Ref<com::IUnknown> createOrRaise(const com::Guid& clsid)
{
    com::Ref<com::IUnknown> object;
    com::check(com::createInstance(clsid, object));
    return object;
}

com::Ref<com::IUnknown> TOleServer::GetServer()
{
    const com::Guid& clsid = serverData_.ClassID;
    com::Ref<com::IUnknown> object;
    switch (ConnectKind()) {
    case ckRunningOrNew:
        if (SUCCEEDED(com::getActiveObject(clsid, object)))
            return object;
        return createOrRaise(clsid);
    case ckNewInstance:
        return createOrRaise(clsid);
    case ckRunningInstance: {
        const HRESULT hr = com::getActiveObject(clsid, object);
        if (FAILED(hr))
            throw com::ComError(hr, QStringLiteral("Ne peut récupérer un pointeur sur un objet en cours d'exécution "
                                                   "recensé avec OLE pour %1/%2")
                                        .arg(QString::fromStdString(com::progIdFromClsid(clsid)),
                                             QString::fromStdString(clsid.toString()))
                                        .toStdString());
        return object;
    }
    case ckRemote: {
        // Objects are made in this process only: a remote machine other than this one is out of reach.
        const QString machine = remoteMachineName_.trimmed();
        if (machine.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0 &&
            machine.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0 && machine != QLatin1String("."))
            com::check(HRESULT_BAD_NETPATH);
        return createOrRaise(clsid);
    }
    case ckAttachToInterface:
        break;
    }
    return {};
}
