// Every Firebird type through the layer and back, at its extremes.
#include "tests/support/BaseTemporal.h"

#include <gtest/gtest.h>
#include <limits>

using fb::Decimal;
using fb::Value;

namespace {

class Tipos : public ::testing::Test {
protected:
    void SetUp() override {
        db = base.conectar();
        db.executeDirect(
            "create table T (ID integer not null primary key, C_SMALL smallint, C_INT integer, "
            "C_BIG bigint, C_DINERO numeric(15,2), C_PORC numeric(15,4), C_DEC18 decimal(18,4), "
            "C_DOBLE double precision, C_FECHA date, C_HORA time, C_MARCA timestamp, "
            "C_TEXTO varchar(100), C_CHAR char(5), C_TXTBLOB blob sub_type text, C_BINBLOB blob, "
            "C_BOOL boolean, C_OCTETOS varchar(8) character set octets)");
    }

    fb::Row ida_y_vuelta(const QString& columna, const Value& v) {
        db.executeDirect(QStringLiteral("delete from T"));
        db.executeDirect(QStringLiteral("insert into T (ID, %1) values (1, ?)").arg(columna), {v});
        auto row = db.queryOne(QStringLiteral("select %1 from T where ID = 1").arg(columna));
        EXPECT_TRUE(row.has_value());
        return *row;
    }

    prueba::BaseTemporal base;
    fb::Database db;
};

TEST_F(Tipos, EnterosYDecimalesExactosEnSusExtremos) {
    EXPECT_EQ(ida_y_vuelta("C_SMALL", int64_t(-32768))[0].toInt64(), -32768);
    EXPECT_EQ(ida_y_vuelta("C_INT", int64_t(2147483647))[0].toInt64(), 2147483647);
    const int64_t maxBig = std::numeric_limits<int64_t>::max();
    const int64_t minBig = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(ida_y_vuelta("C_BIG", maxBig)[0].toInt64(), maxBig);
    EXPECT_EQ(ida_y_vuelta("C_BIG", minBig)[0].toInt64(), minBig);

    // numeric(15,2): the largest amount, and one cent, never through double.
    auto r = ida_y_vuelta("C_DINERO", Decimal{999999999999999, -2});
    EXPECT_EQ(r[0].toDecimal(), (Decimal{999999999999999, -2}));
    EXPECT_EQ(r[0].toString(), "9999999999999.99");
    EXPECT_EQ(ida_y_vuelta("C_DINERO", Decimal{-1, -2})[0].toString(), "-0.01");
    // A value with more decimals than the column is rounded by the server.
    EXPECT_EQ(ida_y_vuelta("C_DINERO", Decimal{12345, -4})[0].toDecimal(), (Decimal{123, -2}));
    EXPECT_EQ(ida_y_vuelta("C_PORC", Decimal{190000, -4})[0].toString(), "19.0000");
    const Decimal big{maxBig, -4};
    EXPECT_EQ(ida_y_vuelta("C_DEC18", big)[0].toDecimal(), big);
    EXPECT_EQ(ida_y_vuelta("C_DEC18", Decimal{minBig, -4})[0].toDecimal(), (Decimal{minBig, -4}));
    // A whole number into a decimal column.
    EXPECT_EQ(ida_y_vuelta("C_DINERO", int64_t(42))[0].toDecimal(), (Decimal{4200, -2}));
    EXPECT_DOUBLE_EQ(ida_y_vuelta("C_DOBLE", 1.0 / 3.0)[0].toDouble(), 1.0 / 3.0);
}

TEST_F(Tipos, FechasHorasYMarcas) {
    for (QDate d : {QDate(1, 1, 1), QDate(1899, 12, 30), QDate(2024, 2, 29), QDate(9999, 12, 31)})
        EXPECT_EQ(ida_y_vuelta("C_FECHA", d)[0].toDate(), d);
    EXPECT_EQ(ida_y_vuelta("C_HORA", QTime(23, 59, 59, 999))[0].toTime(), QTime(23, 59, 59, 999));
    EXPECT_EQ(ida_y_vuelta("C_HORA", QTime(0, 0))[0].toTime(), QTime(0, 0));
    const QDateTime m(QDate(2026, 12, 6), QTime(13, 5, 9, 120));
    EXPECT_EQ(ida_y_vuelta("C_MARCA", m)[0].toDateTime(), m);
    EXPECT_EQ(ida_y_vuelta("C_MARCA", QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)))[0].toDateTime(),
              QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
}

TEST_F(Tipos, TextoEnIso8859_1) {
    const QString acentos = QStringLiteral("Ñandú, camión, acción, pingüino; 'comillas' \"dobles\" ¿¡ÁÉÍÓÚ!?");
    EXPECT_EQ(ida_y_vuelta("C_TEXTO", acentos)[0].toString(), acentos);
    EXPECT_EQ(ida_y_vuelta("C_TEXTO", QString())[0].toString(), QString());
    // CHAR pads with spaces; the padding is not data.
    EXPECT_EQ(ida_y_vuelta("C_CHAR", QStringLiteral("S"))[0].toString(), "S");
    // A text longer than the column fails as a whole, nothing is cut.
    EXPECT_THROW(ida_y_vuelta("C_CHAR", QStringLiteral("123456")), fb::DbError);
}

TEST_F(Tipos, TextoQueLaBaseNoPuedeGuardarSeRechaza) {
    for (const QString& malo : {QStringLiteral("precio 5 €"), QStringLiteral("漢字"), QStringLiteral("emoji 😀")}) {
        try {
            db.executeDirect(QStringLiteral("insert into T (ID, C_TEXTO) values (7, ?)"), {malo});
            FAIL() << "aceptó " << malo.toStdString();
        } catch (const fb::DbError& e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("no puede guardar"))) << e.what();
        }
        // Nor inside the SQL text itself.
        EXPECT_THROW(db.executeDirect(QStringLiteral("insert into T (ID, C_TEXTO) values (8, '%1')").arg(malo)),
                     fb::DbError);
    }
    EXPECT_FALSE(db.queryOne("select ID from T").has_value());
}

TEST_F(Tipos, BlobsDeTextoYBinarios) {
    QString largo;
    for (int i = 0; i < 20000; ++i) largo += QStringLiteral("línea %1 ñ\n").arg(i);  // > 200 KB
    EXPECT_EQ(ida_y_vuelta("C_TXTBLOB", largo)[0].toString(), largo);
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i) bytes.append(char(i % 256));
    const Value v = ida_y_vuelta("C_BINBLOB", bytes)[0];
    ASSERT_TRUE(v.is<QByteArray>());
    EXPECT_EQ(v.toBytes(), bytes);
    EXPECT_EQ(ida_y_vuelta("C_BINBLOB", QByteArray())[0].toBytes(), QByteArray());
    QByteArray octetos("\x00\x01\xff\x80", 4);
    EXPECT_EQ(ida_y_vuelta("C_OCTETOS", octetos)[0].toBytes(), octetos);
}

TEST_F(Tipos, NulosYLogicos) {
    for (const char* col : {"C_SMALL", "C_BIG", "C_DINERO", "C_DOBLE", "C_FECHA", "C_HORA", "C_MARCA", "C_TEXTO",
                            "C_TXTBLOB", "C_BINBLOB", "C_BOOL"})
        EXPECT_TRUE(ida_y_vuelta(col, Value())[0].isNull()) << col;
    EXPECT_TRUE(ida_y_vuelta("C_BOOL", true)[0].toBool());
    EXPECT_FALSE(ida_y_vuelta("C_BOOL", false)[0].toBool());
}

TEST_F(Tipos, FilasPorNombreYProcedimientos) {
    db.executeDirect(
        "create procedure DOBLE (X numeric(15,2)) returns (R numeric(15,2), TXT varchar(10)) as "
        "begin R = X * 2; TXT = 'ok'; end");
    db.executeDirect(
        "create procedure SERIE (N integer) returns (I integer) as "
        "begin I = 0; while (I < N) do begin I = I + 1; suspend; end end");
    auto tr = db.begin();
    const fb::Row r = tr.executeProcedure("DOBLE", {Decimal{1050, -2}});
    EXPECT_EQ(r["r"].toString(), "21.00");
    EXPECT_EQ(r["Txt"].toString(), "ok");
    EXPECT_THROW(r["NO_EXISTE"], fb::DbError);
    const auto filas = tr.query("select * from SERIE(?)", {5});
    ASSERT_EQ(filas.size(), 5u);
    EXPECT_EQ(filas.back()["I"].toInt64(), 5);
    EXPECT_THROW(tr.executeProcedure("DOBLE; drop table T", {}), fb::DbError);
    tr.commit();
}

TEST_F(Tipos, TransaccionSinConfirmarSeDeshace) {
    {
        auto tr = db.begin();
        tr.execute("insert into T (ID) values (1)");
        // goes out of scope without commit
    }
    EXPECT_FALSE(db.queryOne("select ID from T").has_value());
    auto tr = db.begin();
    fb::Statement s(tr, "insert into T (ID, C_TEXTO) values (?, ?)");
    for (int i = 1; i <= 3; ++i) {
        s.bind({i, QStringLiteral("fila %1").arg(i)});
        s.execute();
        EXPECT_EQ(s.affectedRows(), 1);
    }
    tr.commit();
    EXPECT_EQ(db.query("select ID from T order by ID").size(), 3u);
    EXPECT_EQ(db.executeDirect("update T set C_INT = 1"), 3);
}

}  // namespace
