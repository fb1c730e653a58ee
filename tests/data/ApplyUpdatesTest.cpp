// Writing a master and its details back to Firebird: one transaction, all or
// nothing, retried on update conflicts, with the change log kept on failure.
#include "data/DataSet.h"
#include "tests/support/BaseTemporal.h"

#include <gtest/gtest.h>
#include <thread>

using cxp::ApplyOptions;
using cxp::DataSet;
using cxp::DataSetError;
using cxp::Dinero;
using cxp::FieldType;

namespace {

Dinero d(const char* text) { return *Dinero::desdeTexto(QString::fromLatin1(text)); }

class ApplyUpdates : public ::testing::Test {
protected:
    void SetUp() override {
        db = base.conectar();
        for (const char* sql : {
                 "create table PREFIJOS (PREFIJO varchar(4) not null primary key, ACTUAL integer not null)",
                 "create table NOTAS (NOTA_ID integer not null primary key, NIT varchar(10) not null,"
                 " MONTO numeric(15,2), ESTADO char(1) default 'N', PREFIJO varchar(4), NUMERO integer,"
                 " unique (PREFIJO, NUMERO))",
                 "create table LINEAS (NOTA_ID integer not null references NOTAS, LINEA integer not null,"
                 " VALOR numeric(15,2) not null check (VALOR > 0), DETALLE varchar(20),"
                 " primary key (NOTA_ID, LINEA))",
                 "create sequence GEN_NOTAS",
                 "create procedure CAMBIE_ID_NOTA returns (ID integer) as begin ID = next value for GEN_NOTAS; end",
                 // Saving a document advances its prefix, as the real numbering triggers do.
                 "create trigger NOTAS_PREFIJO for NOTAS after insert as begin"
                 " update PREFIJOS set ACTUAL = new.NUMERO where PREFIJO = new.PREFIJO; end",
             })
            db.executeDirect(QString::fromLatin1(sql));
        db.executeDirect("insert into PREFIJOS values ('A', 0)");
    }

    // A new document's datasets, as a document screen holds them.
    void openNew() {
        notas.openEmpty(db, "select * from NOTAS where 1=0");
        lineas.openEmpty(db, "select * from LINEAS where 1=0");
        prepare();
    }
    void openStored(int id) {
        notas.open(db, "select * from NOTAS where NOTA_ID = ?", {id});
        lineas.open(db, "select * from LINEAS where NOTA_ID = ? order by LINEA", {id});
        prepare();
    }
    void prepare() {
        notas.setUpdateTable("NOTAS", {"NOTA_ID"});
        lineas.setUpdateTable("LINEAS", {"NOTA_ID", "LINEA"});
        notas.addDetail(lineas, {"NOTA_ID"}, {"NOTA_ID"});
    }
    void newNota(const QString& nit, int numero = 0) {
        notas.append();
        notas.setValue("NOTA_ID", 0);
        notas.setValue("NIT", nit);
        notas.setValue("PREFIJO", "A");
        if (numero) notas.setValue("NUMERO", numero);
        notas.post();
    }
    void addLinea(int linea, const char* valor) {
        lineas.append();
        lineas.setValue("LINEA", linea);
        lineas.setValue("VALOR", d(valor));
        lineas.post();
    }
    // Takes the document's id just before it is stored.
    ApplyOptions takingId() {
        ApplyOptions o;
        o.beforeApply = [this](fb::Transaction& tr, int attempt) {
            attempts.push_back(attempt);
            if (notas.asInt("NOTA_ID") != 0) return;
            const fb::Row r = tr.executeProcedure("CAMBIE_ID_NOTA");
            notas.edit();
            notas.setValue("NOTA_ID", r["ID"]);
            notas.post();
        };
        return o;
    }
    int64_t scalar(const QString& sql) { return db.queryOne(sql)->at(0).toInt64(); }
    void storeNota(int id, const QString& nit, int lineCount) {
        db.executeDirect("insert into NOTAS (NOTA_ID, NIT, MONTO) values (?, ?, 10)", {id, nit});
        for (int l = 1; l <= lineCount; ++l)
            db.executeDirect("insert into LINEAS (NOTA_ID, LINEA, VALOR, DETALLE) values (?, ?, ?, 'd')",
                             {id, l, fb::Decimal{l * 100, -2}});
    }

    prueba::BaseTemporal base;
    fb::Database db;
    DataSet notas, lineas;
    std::vector<int> attempts;
};

}  // namespace

TEST_F(ApplyUpdates, FieldsComeTypedFromTheStatement) {
    notas.openEmpty(db, "select n.*, p.ACTUAL, n.MONTO * 2 as DOBLE from NOTAS n"
                        " left join PREFIJOS p on p.PREFIJO = n.PREFIJO where 1=0");
    notas.setUpdateTable("NOTAS", {"NOTA_ID"});
    const cxp::Field& monto = notas.field("MONTO");
    EXPECT_EQ(monto.type(), FieldType::Decimal);
    EXPECT_EQ(monto.scale(), 2);
    EXPECT_EQ(monto.table(), "NOTAS");
    EXPECT_FALSE(monto.required());
    EXPECT_EQ(notas.field("NIT").type(), FieldType::String);
    EXPECT_EQ(notas.field("NIT").size(), 10);
    EXPECT_TRUE(notas.field("NIT").required());
    EXPECT_EQ(notas.field("ESTADO").size(), 1);
    EXPECT_EQ(notas.field("NOTA_ID").type(), FieldType::Integer);
    EXPECT_FALSE(notas.field("ACTUAL").required()) << "NOT NULL, but in a table this dataset does not write";
    EXPECT_EQ(notas.field("ACTUAL").table(), "PREFIJOS");
    EXPECT_TRUE(notas.field("DOBLE").table().isEmpty());
    EXPECT_EQ(notas.recordCount(), 0);

    storeNota(5, "800", 0);
    notas.open(db, "select * from NOTAS where NIT = ?", {"800"});
    ASSERT_EQ(notas.recordCount(), 1);
    EXPECT_EQ(notas.asDinero("MONTO"), d("10"));
    EXPECT_EQ(notas.asString("ESTADO"), "N");
    EXPECT_FALSE(notas.hasChanges());
}

TEST_F(ApplyUpdates, AFailingDetailRowLeavesNothingAndTheSaveSucceedsOnceFixed) {
    openNew();
    newNota("800", 7);
    addLinea(1, "10");
    addLinea(2, "20");
    addLinea(3, "-5");  // breaks the CHECK on VALOR
    const ApplyOptions o = takingId();
    EXPECT_THROW(notas.applyUpdates(db, o), fb::DbError);
    EXPECT_EQ(scalar("select count(*) from NOTAS"), 0);
    EXPECT_EQ(scalar("select count(*) from LINEAS"), 0);
    EXPECT_EQ(scalar("select ACTUAL from PREFIJOS"), 0) << "the trigger's work went with the rest";
    EXPECT_TRUE(notas.hasChanges());
    ASSERT_EQ(lineas.recordCount(), 3);

    lineas.last();
    lineas.edit();
    lineas.setValue("VALOR", d("30"));
    lineas.post();
    notas.applyUpdates(db, o);
    const int64_t id = notas.asInt("NOTA_ID");
    EXPECT_GT(id, 0);
    EXPECT_EQ(lineas.row(0).asInt("NOTA_ID"), id);
    EXPECT_FALSE(notas.hasChanges());
    const auto rows = db.query("select NOTA_ID, LINEA, VALOR from LINEAS order by LINEA");
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& r : rows) EXPECT_EQ(r["NOTA_ID"].toInt64(), id);
    EXPECT_EQ(rows[2]["VALOR"], fb::Value(fb::Decimal{3000, -2}));
    EXPECT_EQ(db.queryOne("select ESTADO from NOTAS")->at(0).toString(), "N") << "unset columns get their default";
    EXPECT_EQ(scalar("select ACTUAL from PREFIJOS"), 7);

    notas.applyUpdates(db, o);  // nothing left to write
    EXPECT_EQ(scalar("select count(*) from LINEAS"), 3);
}

TEST_F(ApplyUpdates, UpdatesWriteOnlyChangedColumnsKeyedOnTheOriginalKey) {
    storeNota(1, "800", 3);
    openStored(1);
    notas.addCalculated({"TOTAL", FieldType::Decimal, 0, 2},
                        [](const cxp::RecordRef& r) { return cxp::toValue(r.asDinero("MONTO") * 2); });
    notas.edit();
    notas.setValue("MONTO", d("99.5"));
    notas.post();
    lineas.first();
    lineas.edit();
    lineas.setValue("LINEA", 10);  // a key column changes
    lineas.post();
    lineas.next();
    lineas.remove();  // line 2
    lineas.edit();    // line 3
    lineas.setValue("VALOR", d("3.33"));
    lineas.post();
    addLinea(4, "4");

    notas.applyUpdates(db);
    const auto rows = db.query("select LINEA, VALOR, DETALLE from LINEAS order by LINEA");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]["LINEA"].toInt64(), 3);
    EXPECT_EQ(rows[0]["VALOR"], fb::Value(fb::Decimal{333, -2}));
    EXPECT_EQ(rows[0]["DETALLE"].toString(), "d");
    EXPECT_EQ(rows[1]["LINEA"].toInt64(), 4);
    EXPECT_TRUE(rows[1]["DETALLE"].isNull());
    EXPECT_EQ(rows[2]["LINEA"].toInt64(), 10);
    EXPECT_EQ(rows[2]["DETALLE"].toString(), "d");
    EXPECT_EQ(db.queryOne("select MONTO from NOTAS")->at(0), fb::Value(fb::Decimal{9950, -2}));

    // The new values are now the originals: a second change is keyed on LINEA 10.
    lineas.first();
    lineas.edit();
    lineas.setValue("VALOR", d("1"));
    lineas.post();
    notas.applyUpdates(db);
    EXPECT_EQ(db.queryOne("select VALOR from LINEAS where LINEA = 10")->at(0), fb::Value(fb::Decimal{100, -2}));
}

TEST_F(ApplyUpdates, ColumnsOfOtherTablesAreNeverWritten) {
    storeNota(1, "800", 0);
    db.executeDirect("update NOTAS set PREFIJO = 'A'");
    notas.open(db, "select n.*, p.ACTUAL from NOTAS n join PREFIJOS p on p.PREFIJO = n.PREFIJO");
    notas.setUpdateTable("NOTAS", {"NOTA_ID"});
    notas.edit();
    notas.setValue("ACTUAL", 99);
    notas.setValue("NIT", "900");
    notas.post();
    notas.applyUpdates(db);
    EXPECT_EQ(scalar("select ACTUAL from PREFIJOS"), 0);
    EXPECT_EQ(db.queryOne("select NIT from NOTAS")->at(0).toString(), "900");
}

TEST_F(ApplyUpdates, DeletingAMasterDeletesItsDetailsFirst) {
    storeNota(1, "800", 2);
    storeNota(2, "900", 1);
    notas.open(db, "select * from NOTAS order by NOTA_ID");
    lineas.open(db, "select * from LINEAS order by NOTA_ID, LINEA");
    prepare();
    EXPECT_EQ(lineas.recordCount(), 2) << "loaded detail rows find their master row";
    notas.remove();
    EXPECT_EQ(lineas.recordCount(), 1);
    notas.applyUpdates(db);
    EXPECT_EQ(scalar("select count(*) from NOTAS"), 1);
    EXPECT_EQ(scalar("select count(*) from LINEAS"), 1);
    EXPECT_EQ(scalar("select NOTA_ID from LINEAS"), 2);
}

TEST_F(ApplyUpdates, ARowAnotherUserDeletedFailsTheWholeSave) {
    storeNota(1, "800", 1);
    storeNota(2, "900", 1);
    openStored(1);
    addLinea(2, "5");
    notas.edit();
    notas.setValue("NIT", "801");
    notas.post();
    DataSet otras;
    otras.open(db, "select * from LINEAS where NOTA_ID = 2");
    otras.setUpdateTable("LINEAS", {"NOTA_ID", "LINEA"});
    otras.remove();
    db.executeDirect("delete from LINEAS");  // another user, meanwhile
    db.executeDirect("delete from NOTAS");

    auto failure = [](DataSet& ds, fb::Database& db) -> QString {
        try {
            ds.applyUpdates(db);
        } catch (const fb::DbError& e) {
            EXPECT_FALSE(e.isConflict());
            return e.text();
        }
        return QStringLiteral("no falló");
    };
    EXPECT_EQ(failure(notas, db), cxp::kModificadoPorOtro);
    EXPECT_EQ(scalar("select count(*) from LINEAS"), 0) << "the new line went with the failed update";
    EXPECT_TRUE(notas.hasChanges()) << "the change log is kept";
    EXPECT_EQ(failure(otras, db), cxp::kModificadoPorOtro) << "a delete that meets no row";
    EXPECT_TRUE(otras.hasChanges());
}

// Two clerks hold the same creditor; the second saves after the first.
TEST_F(ApplyUpdates, ARowAnotherClerkChangedIsNeverOverwritten) {
    struct Caso {
        const char* otro;  // what the other clerk saved meanwhile (nothing when empty)
        const char* campo;
        const char* valor;
        bool refused;
    } casos[] = {
        {"update NOTAS set NIT = '999'", "NIT", "801", true},      // the same column
        {"update NOTAS set MONTO = 77", "NIT", "801", true},       // another column
        {"update NOTAS set ESTADO = null", "ESTADO", "A", true},  // to null
        {"update NOTAS set NIT = NIT", "NIT", "801", false},       // rewritten as it was
        {"", "ESTADO", "A", false},
    };
    for (const Caso& c : casos) {
        db.executeDirect("delete from LINEAS");
        db.executeDirect("delete from NOTAS");
        storeNota(1, "800", 1);
        openStored(1);
        if (*c.otro) {
            fb::Database otra = base.conectar();
            otra.executeDirect(QString::fromLatin1(c.otro));
        }
        const QString antes = db.queryOne("select NIT || '/' || MONTO || '/' || coalesce(ESTADO, '-') from NOTAS")
                                  ->at(0).toString();
        notas.edit();
        notas.setValue(c.campo, QString::fromLatin1(c.valor));
        notas.post();
        if (!c.refused) {
            notas.applyUpdates(db);
            EXPECT_EQ(db.queryOne(QStringLiteral("select %1 from NOTAS").arg(c.campo))->at(0).toString(), c.valor);
            continue;
        }
        try {
            notas.applyUpdates(db);
            ADD_FAILURE() << c.otro << ": saved over the other clerk's change";
        } catch (const fb::DbError& e) {
            EXPECT_EQ(e.text(), cxp::kModificadoPorOtro) << c.otro;
        }
        EXPECT_EQ(db.queryOne("select NIT || '/' || MONTO || '/' || coalesce(ESTADO, '-') from NOTAS")
                      ->at(0).toString(), antes) << c.otro;
    }
}

// Defaults and triggers fill what this dataset did not write: editing again
// what it has just saved is no conflict.
TEST_F(ApplyUpdates, EditingAgainWhatWasJustSavedIsNoConflict) {
    openNew();
    newNota("800", 4);
    notas.applyUpdates(db, takingId());  // ESTADO takes the database's default
    for (const char* nit : {"801", "802"}) {
        notas.edit();
        notas.setValue("NIT", QString::fromLatin1(nit));
        notas.post();
        notas.applyUpdates(db);
        EXPECT_EQ(db.queryOne("select NIT from NOTAS")->at(0).toString(), nit);
    }
}

TEST_F(ApplyUpdates, AConflictIsRetriedUntilTheOtherWriterCommits) {
    openNew();
    newNota("800", 3);
    addLinea(1, "1");
    fb::Database otra = base.conectar();
    auto other = otra.begin();
    other.execute("update PREFIJOS set ACTUAL = 2 where PREFIJO = 'A'");  // another clerk saving on 'A'
    std::thread commitLater([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        other.commit();
    });
    EXPECT_NO_THROW(notas.applyUpdates(db, takingId()));
    commitLater.join();
    ASSERT_GE(attempts.size(), 2u) << "the first attempt waited and met the other's commit";
    EXPECT_EQ(scalar("select ACTUAL from PREFIJOS"), 3);
    EXPECT_EQ(scalar("select count(*) from NOTAS"), 1);
    EXPECT_EQ(scalar("select count(*) from LINEAS"), 1);
    EXPECT_EQ(scalar("select NOTA_ID from LINEAS"), notas.asInt("NOTA_ID"));
}

// A save that keeps conflicting gives up after its last attempt, or once its
// time is up, whichever comes first.
TEST_F(ApplyUpdates, ConflictsGiveUpAfterTheLastAttemptOrTheTimeAllowed) {
    struct {
        int maxAttempts;
        int maxMs;
        size_t maxTried;
    } casos[] = {{2, 0, 2}, {60, 1500, 3}};
    openNew();
    newNota("800", 3);
    for (const auto& c : casos) {
        attempts.clear();
        fb::Database otra = base.conectar();
        auto other = otra.begin();
        other.execute("update PREFIJOS set ACTUAL = 2 where PREFIJO = 'A'");  // held to the end
        ApplyOptions o = takingId();
        o.maxAttempts = c.maxAttempts;
        o.maxDuration = std::chrono::milliseconds(c.maxMs);
        o.transaction.lockTimeoutSeconds = 1;
        const auto start = std::chrono::steady_clock::now();
        try {
            notas.applyUpdates(db, o);
            ADD_FAILURE() << "no conflict";
        } catch (const fb::DbError& e) {
            EXPECT_TRUE(e.isConflict()) << e.what();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_GE(attempts.size(), 1u);
        EXPECT_LE(attempts.size(), c.maxTried);
        other.rollback();
        EXPECT_EQ(scalar("select count(*) from NOTAS"), 0);
        EXPECT_TRUE(notas.hasChanges());
    }
}

TEST_F(ApplyUpdates, OnFailureMayFixTheDataAndRetry) {
    storeNota(100, "700", 0);
    db.executeDirect("update NOTAS set PREFIJO = 'A', NUMERO = 7");  // another clerk took number 7
    openNew();
    newNota("800", 7);
    ApplyOptions o = takingId();
    std::vector<int> failures;
    o.onFailure = [&](const fb::DbError& e, int attempt) {
        failures.push_back(attempt);
        if (e.kind() != fb::ErrorKind::Unique) return false;
        const int64_t next = scalar("select max(NUMERO) + 1 from NOTAS where PREFIJO = 'A'");
        notas.edit();
        notas.setValue("NUMERO", next);
        notas.post();
        return true;
    };
    notas.applyUpdates(db, o);
    EXPECT_EQ(failures, (std::vector<int>{1}));
    EXPECT_EQ(scalar("select NUMERO from NOTAS where NIT = '800'"), 8);

    notas.edit();
    notas.setValue("NIT", "");
    notas.field("NIT").setRequired(false);
    notas.post();
    o.onFailure = [&](const fb::DbError&, int attempt) {
        failures.push_back(attempt);
        return false;  // nothing to fix: the error goes to the caller
    };
    db.executeDirect("alter table NOTAS add constraint NIT_LLENO check (NIT <> '')");
    EXPECT_THROW(notas.applyUpdates(db, o), fb::DbError);
    EXPECT_EQ(failures, (std::vector<int>{1, 1}));
}

TEST_F(ApplyUpdates, IdentifiersAreCheckedBeforeTheyReachSql) {
    DataSet ds;
    EXPECT_THROW(ds.setUpdateTable("NOTAS; drop table NOTAS", {"NOTA_ID"}), DataSetError);
    ds.openEmpty({{"NOTA_ID", FieldType::Integer, 0, 0, true, "NOTAS"},
                  {"NIT\" = '1' --", FieldType::String, 10, 0, false, "NOTAS"}});
    ds.setUpdateTable("NOTAS", {"NOTA_ID"});
    ds.append();
    ds.setValue("NOTA_ID", 1);
    ds.post();
    EXPECT_THROW(ds.applyUpdates(db), DataSetError);

    DataSet sinTabla;
    sinTabla.openEmpty({{"A", FieldType::Integer}});
    sinTabla.append();
    sinTabla.post();
    EXPECT_THROW(sinTabla.applyUpdates(db), DataSetError) << "changes with nowhere to go are not dropped silently";
}

// A clerk's connection reads in one shared transaction (each start of a
// transaction rewrites the database header, synchronously): data sets and
// sequence procedures too, and every commit is still seen at once.
TEST_F(ApplyUpdates, ReadsOfASharedConnectionStartNoTransactionAndSeeEveryCommit) {
    for (const bool compartidas : {false, true}) {
        SCOPED_TRACE(compartidas);
        db.setSharedReads(compartidas);
        auto transaccion = [&] {
            DataSet t;
            t.open(db, "select current_transaction as T from rdb$database");
            return t.asInt("T");
        };
        const int64_t primera = transaccion();
        const int64_t id = db.read([](fb::Transaction& tr) {
            return tr.executeProcedure("CAMBIE_ID_NOTA")[QStringLiteral("ID")].toInt64();
        });
        EXPECT_GT(id, 0);
        EXPECT_EQ(transaccion() == primera, compartidas);
        db.executeDirect(QStringLiteral("insert into PREFIJOS values ('B%1', 0)").arg(int(compartidas)));
        DataSet prefijos;
        prefijos.open(db, "select * from PREFIJOS");
        EXPECT_EQ(prefijos.recordCount(), compartidas ? 3 : 2);
    }
}
