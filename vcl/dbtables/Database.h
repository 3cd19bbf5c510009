#pragma once
// TDatabase: one connection to a database, reached through an alias (AliasName) or a driver and
// its parameters (DriverName, Params), and known to tables by its DatabaseName.
#include <memory>

#include "vcl/classes/Component.h"
#include "vcl/classes/Published.h"
#include "vcl/classes/StringList.h"
#include "vcl/dbtables/Driver.h"

class TDataSet;

class TDatabase : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString AliasName READ AliasName WRITE SetAliasName)
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(QString DriverName READ DriverName WRITE SetDriverName)
    Q_PROPERTY(QString SessionName READ SessionName WRITE SetSessionName)
    Q_PROPERTY(bool Connected READ Connected WRITE SetConnected)
    Q_PROPERTY(bool KeepConnection READ KeepConnection WRITE SetKeepConnection)
    Q_PROPERTY(bool LoginPrompt READ LoginPrompt WRITE SetLoginPrompt)
    Q_PROPERTY(TStrings* Params READ Params WRITE SetParams)
    MOX_DEFAULT(AliasName, "")
    MOX_DEFAULT(DatabaseName, "")
    MOX_DEFAULT(DriverName, "")
    MOX_DEFAULT(SessionName, "")
    MOX_DEFAULT(Connected, False)
    MOX_DEFAULT(KeepConnection, True)
    MOX_DEFAULT(LoginPrompt, True)

public:
    explicit TDatabase(TComponent* AOwner = nullptr);
    ~TDatabase() override;
    void BeforeDestruction() override;

    String AliasName() const { return aliasName_; }
    // Setting an alias clears DriverName, and the reverse, as one of them says how to connect.
    void SetAliasName(const String& Value);
    String DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const String& Value);
    String DriverName() const { return driverName_; }
    void SetDriverName(const String& Value);
    // Kept for form resources; there is one session.
    String SessionName() const { return sessionName_; }
    void SetSessionName(const String& Value) { sessionName_ = Value; }
    bool KeepConnection() const { return keepConnection_; }
    void SetKeepConnection(bool Value) { keepConnection_ = Value; }
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool Value) { loginPrompt_ = Value; }
    TStrings* Params() const { return params_; }
    void SetParams(TStrings* Value);

    bool Connected() const { return connection_ != nullptr; }
    void SetConnected(bool Value);
    void Open() { SetConnected(true); }
    // Closes the data sets that use the database first.
    void Close() { SetConnected(false); }

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    // The names of the database's tables.
    void GetTableNames(TStrings* List);
    int DataSetCount() const { return int(dataSets_.size()); }
    TDataSet* DataSets(int Index) const { return dataSets_[Index]; }

    // The open connection; raises "Cannot perform this operation on a closed database" when closed.
    TDbConnection* Connection() const;

    // The database with that DatabaseName (without regard to case); null when there is none.
    static TDatabase* FindDatabase(const String& DatabaseName);

    // Data sets tell the database when they open and close on it.
    void RegisterClient(TDataSet* DataSet);
    void UnregisterClient(TDataSet* DataSet);

protected:
    void Loaded() override;

private:
    void DoConnect();
    void DoDisconnect();

    String aliasName_;
    String databaseName_;
    String driverName_;
    String sessionName_;
    bool keepConnection_ = true;
    bool loginPrompt_ = true;
    bool streamedConnected_ = false;
    TStringList* params_;
    std::unique_ptr<TDbConnection> connection_;
    QList<TDataSet*> dataSets_;
};
