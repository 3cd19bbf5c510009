#include "vcl/dbtables/Database.h"

#include "vcl/db/Consts.h"
#include "vcl/db/DataSet.h"
#include "vcl/db/Errors.h"
#include "vcl/dbtables/Aliases.h"

using namespace DBConsts;

namespace {
QList<TDatabase*>& Databases() {
    static QList<TDatabase*> list;
    return list;
}
} // namespace

TDatabase::TDatabase(TComponent* AOwner) : TComponent(AOwner), params_(new TStringList) {
    Databases().append(this);
}

TDatabase::~TDatabase() {
    Databases().removeOne(this);
    DoDisconnect();
    delete params_;
}

void TDatabase::BeforeDestruction() {
    Destroying();
    DoDisconnect();
    TComponent::BeforeDestruction();
}

TDatabase* TDatabase::FindDatabase(const String& DatabaseName) {
    if (DatabaseName.isEmpty()) return nullptr;
    for (TDatabase* db : Databases())
        if (db->databaseName_.compare(DatabaseName, Qt::CaseInsensitive) == 0) return db;
    return nullptr;
}

void TDatabase::SetAliasName(const String& Value) {
    if (Connected()) DatabaseError(QString::fromLatin1(SDatabaseOpen), this);
    aliasName_ = Value;
    if (!Value.isEmpty()) driverName_.clear();
}

void TDatabase::SetDriverName(const String& Value) {
    if (Connected()) DatabaseError(QString::fromLatin1(SDatabaseOpen), this);
    driverName_ = Value;
    if (!Value.isEmpty()) aliasName_.clear();
}

void TDatabase::SetDatabaseName(const String& Value) {
    if (Value.compare(databaseName_, Qt::CaseInsensitive) == 0) {
        databaseName_ = Value;
        return;
    }
    if (Connected()) DatabaseError(QString::fromLatin1(SDatabaseOpen), this);
    if (!(ComponentState() & (csLoading | csReading))) {
        TDatabase* other = FindDatabase(Value);
        if (other && other != this) DatabaseErrorFmt(SDuplicateDatabaseName, {Value}, this);
    }
    databaseName_ = Value;
}

void TDatabase::SetParams(TStrings* Value) {
    params_->Assign(Value);
}

void TDatabase::SetConnected(bool Value) {
    if (ComponentState() & (csLoading | csReading)) {
        streamedConnected_ = Value;
        return;
    }
    if (Value == Connected()) return;
    if (Value)
        DoConnect();
    else
        DoDisconnect();
}

void TDatabase::Loaded() {
    TComponent::Loaded();
    if (streamedConnected_) {
        streamedConnected_ = false;
        SetConnected(true);
    }
}

void TDatabase::DoConnect() {
    String driverName = driverName_;
    TStringList params;
    if (!aliasName_.isEmpty()) {
        if (!FindAlias(aliasName_, driverName, &params)) DatabaseErrorFmt(SAliasNotFound, {aliasName_}, this);
        // Parameters of the component add to or override the alias's.
        for (int i = 0; i < params_->Count(); ++i) {
            const String key = params_->Names(i);
            if (!key.isEmpty()) params.SetValues(key.toUpper(), params_->Values(key));
        }
    } else {
        if (driverName.isEmpty()) {
            if (databaseName_.isEmpty()) DatabaseError(QString::fromLatin1(SDatabaseNameMissing), this);
            DatabaseErrorFmt(SAliasNotFound, {databaseName_}, this);
        }
        for (int i = 0; i < params_->Count(); ++i) {
            const String key = params_->Names(i);
            if (!key.isEmpty()) params.SetValues(key.toUpper(), params_->Values(key));
        }
    }
    const auto driver = FindDbDriver(driverName);
    if (!driver) DatabaseErrorFmt(SUnknownDriver, {driverName}, this);
    if (params.Values(QStringLiteral("PATH")).isEmpty())
        DatabaseErrorFmt(SDatabaseFileMissing, {aliasName_.isEmpty() ? databaseName_ : aliasName_}, this);
    connection_ = driver->Connect(&params);
}

void TDatabase::DoDisconnect() {
    if (!connection_) return;
    const QList<TDataSet*> sets = dataSets_;
    for (TDataSet* ds : sets)
        if (dataSets_.contains(ds)) ds->Close();
    dataSets_.clear();
    while (connection_->TransactionDepth() > 0)
        connection_->Rollback();
    connection_.reset();
}

TDbConnection* TDatabase::Connection() const {
    if (!connection_) DatabaseError(QString::fromLatin1(SDatabaseClosed), this);
    return connection_.get();
}

void TDatabase::StartTransaction() {
    TDbConnection* c = Connection();
    if (c->TransactionDepth() > 0) DatabaseError(QString::fromLatin1(SInTransaction), this);
    c->StartTransaction();
}

void TDatabase::Commit() {
    TDbConnection* c = Connection();
    if (c->TransactionDepth() == 0) DatabaseError(QString::fromLatin1(SNotInTransaction), this);
    c->Commit();
}

void TDatabase::Rollback() {
    TDbConnection* c = Connection();
    if (c->TransactionDepth() == 0) DatabaseError(QString::fromLatin1(SNotInTransaction), this);
    c->Rollback();
    // The data sets show what the database holds again.
    for (TDataSet* ds : dataSets_)
        if (ds->Active() && ds->State() == dsBrowse) ds->Refresh();
}

bool TDatabase::InTransaction() const {
    return connection_ && connection_->TransactionDepth() > 0;
}

void TDatabase::GetTableNames(TStrings* List) {
    List->Clear();
    for (const String& name : Connection()->TableNames())
        List->Add(name);
}

void TDatabase::RegisterClient(TDataSet* DataSet) {
    if (!dataSets_.contains(DataSet)) dataSets_.append(DataSet);
}

void TDatabase::UnregisterClient(TDataSet* DataSet) {
    dataSets_.removeOne(DataSet);
}
