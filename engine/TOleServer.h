#pragma once
// TOleServer: a component connected to one object of the object services, found or created by
// class identifier according to ConnectKind. Concrete classes hand their class data record to the
// constructor and implement Connect and Disconnect.
//
// Properties follow the components' pattern: Name() reads, SetName(v) writes.
#include "platform/com/ObjectServices.h"

#include <QObject>
#include <QString>

enum TConnectKind { ckRunningOrNew, ckNewInstance, ckRunningInstance, ckRemote, ckAttachToInterface };

// The class data of one concrete component class.
struct TServerData {
    com::Guid ClassID;     // the object to create
    com::Guid IntfIID;     // its main interface
    com::Guid EventIID;    // its event interface (null for the graph classes)
    int Version = 500;
    int InstanceCount = 0;  // live components of the class
    std::string ProgID;     // the program identifier the class is created under
    com::Factory Factory;   // how the object services create it
};

class TOleServer : public QObject {
    Q_OBJECT
public:
    // Registers the class with the object services and counts the instance.
    TOleServer(QObject* owner, TServerData& serverData);
    ~TOleServer() override;

    bool AutoConnect() const { return ConnectKind() != ckAttachToInterface && autoConnect_; }
    void SetAutoConnect(bool value) { autoConnect_ = value; }
    TConnectKind ConnectKind() const { return remoteMachineName_.isEmpty() ? connectKind_ : ckRemote; }
    void SetConnectKind(TConnectKind value) { connectKind_ = value; }
    QString RemoteMachineName() const { return remoteMachineName_; }
    void SetRemoteMachineName(const QString& value) { remoteMachineName_ = value; }
    const TServerData& ServerData() const { return serverData_; }

    // Called by the owner once its stored properties are set: connects when AutoConnect reads true.
    virtual void Loaded();
    virtual void Connect() = 0;
    virtual void Disconnect() = 0;

protected:
    // The object, by ConnectKind: the one registered as active in this process or a new one
    // (ckRunningOrNew), a new one (ckNewInstance), the active one or an error (ckRunningInstance),
    // one made on RemoteMachineName (ckRemote: this machine only), none (ckAttachToInterface).
    // Failures raise com::ComError.
    com::Ref<com::IUnknown> GetServer();

private:
    TServerData& serverData_;
    bool autoConnect_ = false;
    TConnectKind connectKind_ = ckRunningOrNew;
    QString remoteMachineName_;
};
