// DataSet behaviour in memory: states, validation, notifications,
// calculated fields, navigation, sums and nested details.
#include "data/DataSet.h"

#include <gtest/gtest.h>

using cxp::DataSet;
using cxp::DataSetError;
using cxp::Dinero;
using cxp::FieldType;

namespace {

Dinero d(const char* text) { return *Dinero::desdeTexto(QString::fromLatin1(text)); }

void openNotas(DataSet& ds) {
    ds.openEmpty({
        {"NOTA_ID", FieldType::Integer, 0, 0, true, "NOTAS"},
        {"NIT", FieldType::String, 10, 0, true, "NOTAS"},
        {"MONTO", FieldType::Decimal, 0, 2, false, "NOTAS"},
        {"FECHA", FieldType::Date, 0, 0, false, "NOTAS"},
        {"NOMBRE", FieldType::String, 40, 0, true, "TERCEROS"},
    });
    ds.setUpdateTable("NOTAS", {"NOTA_ID"});
}

void addNota(DataSet& ds, int id, const QString& nit, const char* monto = "0") {
    ds.append();
    ds.setValue("NOTA_ID", id);
    ds.setValue("NIT", nit);
    ds.setValue("MONTO", d(monto));
    ds.post();
}

void openLineas(DataSet& ds) {
    ds.openEmpty({
        {"NOTA_ID", FieldType::Integer, 0, 0, true, "LINEAS"},
        {"LINEA", FieldType::Integer, 0, 0, true, "LINEAS"},
        {"VALOR", FieldType::Decimal, 0, 2, false, "LINEAS"},
    });
    ds.setUpdateTable("LINEAS", {"NOTA_ID", "LINEA"});
}

void addLinea(DataSet& ds, int linea, const char* valor) {
    ds.append();
    ds.setValue("LINEA", linea);
    ds.setValue("VALOR", d(valor));
    ds.post();
}

QString thrownField(const std::function<void()>& f) {
    try {
        f();
    } catch (const DataSetError& e) {
        return e.field().isEmpty() ? QStringLiteral("<sin campo>") : e.field();
    }
    return {};
}

}  // namespace

TEST(DataSetStates, ValuesChangeOnlyInInsertOrEdit) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "800");
    EXPECT_EQ(ds.state(), DataSet::State::Browse);
    EXPECT_EQ(thrownField([&] { ds.setValue("NIT", "900"); }), "NIT");
    EXPECT_EQ(ds.asString("NIT"), "800");

    ds.edit();
    ds.setValue("NIT", "900");
    ds.setValue("MONTO", d("5"));
    ds.cancel();
    EXPECT_EQ(ds.state(), DataSet::State::Browse);
    EXPECT_EQ(ds.asString("NIT"), "800");
    EXPECT_EQ(ds.asDinero("MONTO"), Dinero());

    ds.edit();
    ds.setValue("NIT", "900");
    ds.post();
    EXPECT_EQ(ds.asString("NIT"), "900");
}

TEST(DataSetStates, CancellingAnInsertDropsTheRowAndReturnsToThePreviousOne) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "A");
    addNota(ds, 2, "B");
    addNota(ds, 3, "C");
    ds.setCurrentRow(1);
    ds.insert();
    EXPECT_EQ(ds.recordCount(), 4);
    EXPECT_EQ(ds.currentRow(), 1);
    ds.cancel();
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(ds.asString("NIT"), "B");

    ds.first();
    ds.append();
    ds.remove();  // an unposted row simply goes
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(ds.asString("NIT"), "A");
}

TEST(DataSetStates, RemoveTakesTheCurrentRowAndMovesToTheNext) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "A");
    addNota(ds, 2, "B");
    addNota(ds, 3, "C");
    ds.setCurrentRow(1);
    ds.remove();
    EXPECT_EQ(ds.asString("NIT"), "C");
    ds.remove();
    EXPECT_EQ(ds.asString("NIT"), "A");
    ds.remove();
    EXPECT_TRUE(ds.isEmpty());
    EXPECT_EQ(ds.currentRow(), -1);
    EXPECT_TRUE(ds.isNull("NIT"));  // no row reads as null
    EXPECT_THROW(ds.remove(), DataSetError);
}

TEST(DataSetValidation, PostNamesTheFirstMissingRequiredField) {
    DataSet ds;
    openNotas(ds);
    ds.append();
    ds.setValue("NOTA_ID", 7);
    EXPECT_EQ(thrownField([&] { ds.post(); }), "NIT");
    EXPECT_EQ(ds.state(), DataSet::State::Insert);  // the person corrects and posts again
    ds.setValue("NIT", "   ");
    EXPECT_EQ(thrownField([&] { ds.post(); }), "NIT") << "blank text is no value";
    ds.setValue("NIT", "800");
    ds.post();  // NOMBRE is NOT NULL in TERCEROS, which this dataset does not write
    EXPECT_EQ(ds.state(), DataSet::State::Browse);

    ds.field("NOMBRE").setRequired(true);
    ds.edit();
    EXPECT_EQ(thrownField([&] { ds.post(); }), "NOMBRE");
    ds.field("NIT").setRequired(false);
    ds.setValue("NIT", nullptr);
    ds.setValue("NOMBRE", "ACME");
    ds.post();
}

TEST(DataSetValidation, RefusedValuesLeaveTheOldOne) {
    DataSet ds;
    openNotas(ds);
    ds.append();
    ds.setValue("NIT", "1234567890");
    EXPECT_EQ(thrownField([&] { ds.setValue("NIT", "12345678901"); }), "NIT") << "too long: refused, not cut";
    EXPECT_EQ(ds.asString("NIT"), "1234567890");

    ds.setValue("MONTO", d("12.3"));
    EXPECT_EQ(ds.value("MONTO"), fb::Value(fb::Decimal{1230, -2}));
    EXPECT_EQ(thrownField([&] { ds.setValue("MONTO", d("12.345")); }), "MONTO");
    EXPECT_EQ(thrownField([&] { ds.setValue("MONTO", fb::Decimal{1, -3}); }), "MONTO");
    EXPECT_EQ(thrownField([&] { ds.setValue("MONTO", 1.5); }), "MONTO") << "no double on a money path";
    EXPECT_EQ(thrownField([&] { ds.setValue("MONTO", "12"); }), "MONTO");
    EXPECT_EQ(ds.asDinero("MONTO"), d("12.30"));

    ds.setValue("NOTA_ID", fb::Decimal{500, -2});  // 5.00 is a whole number
    EXPECT_EQ(ds.asInt("NOTA_ID"), 5);
    EXPECT_EQ(thrownField([&] { ds.setValue("NOTA_ID", fb::Decimal{550, -2}); }), "NOTA_ID");
    EXPECT_EQ(thrownField([&] { ds.setValue("NOTA_ID", int64_t(5'000'000'000)); }), "NOTA_ID") << "INTEGER column";
    EXPECT_EQ(thrownField([&] { ds.setValue("NO_EXISTE", 1); }), "NO_EXISTE");
}

TEST(DataSetValidation, DineroIsStoredExactlyAtTheFieldScale) {
    DataSet ds;
    ds.openEmpty({{"TASA", FieldType::Decimal, 0, 4}, {"GRANDE", FieldType::Decimal, 0, 2}});
    ds.append();
    ds.setValue("TASA", d("19.0001"));
    EXPECT_EQ(ds.value("TASA"), fb::Value(fb::Decimal{190001, -4}));
    ds.setValue("GRANDE", d("92233720368547.75"));
    EXPECT_EQ(ds.asDinero("GRANDE"), d("92233720368547.75"));
    ds.setValue("GRANDE", fb::Decimal{-5, 0});
    EXPECT_EQ(ds.asString("GRANDE"), "-5.00");
}

TEST(DataSetNavigation, WalksEveryRowAndStopsAtTheEnds) {
    DataSet ds;
    openNotas(ds);
    for (int i = 1; i <= 3; ++i) addNota(ds, i, QString::number(i * 100));
    QStringList seen;
    for (ds.first(); !ds.eof(); ds.next()) seen << ds.asString("NIT");
    EXPECT_EQ(seen, (QStringList{"100", "200", "300"}));
    EXPECT_EQ(ds.currentRow(), 2);
    ds.prior();
    ds.prior();
    EXPECT_FALSE(ds.bof());
    ds.prior();
    EXPECT_TRUE(ds.bof());
    EXPECT_EQ(ds.currentRow(), 0);
}

TEST(DataSetNavigation, LocateMatchesEveryGivenField) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "800", "10");
    addNota(ds, 2, "800", "20");
    addNota(ds, 3, "900", "20");
    EXPECT_TRUE(ds.locate({"NIT", "MONTO"}, {"800", fb::Decimal{2000, -2}}));
    EXPECT_EQ(ds.asInt("NOTA_ID"), 2);
    EXPECT_TRUE(ds.locate("MONTO", 20));  // an integer finds the decimal 20.00
    EXPECT_EQ(ds.asInt("NOTA_ID"), 2);
    EXPECT_FALSE(ds.locate("NIT", "700"));
    EXPECT_EQ(ds.asInt("NOTA_ID"), 2);
    EXPECT_FALSE(ds.locate("NIT", "a text longer than the field"));
}

TEST(DataSetNavigation, MovingPostsThePendingRowAndAFailedPostStaysPut) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "A");
    addNota(ds, 2, "B");
    ds.edit();
    ds.setValue("NIT", "BB");
    ds.first();
    EXPECT_EQ(ds.state(), DataSet::State::Browse);
    EXPECT_EQ(ds.row(1).asString("NIT"), "BB");

    ds.append();
    ds.setValue("NOTA_ID", 3);  // NIT missing
    EXPECT_THROW(ds.first(), DataSetError);
    EXPECT_EQ(ds.state(), DataSet::State::Insert);
    EXPECT_EQ(ds.currentRow(), 2);
}

TEST(DataSetNavigation, SortIsStableKeepsTheCurrentRowAndUsesSpanishCollation) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "beta", "5");
    addNota(ds, 2, "Álamo", "1");
    addNota(ds, 3, "alfa", "5");
    addNota(ds, 4, "Zeta", "1");
    ds.setCurrentRow(0);
    ds.sort("NIT");
    QStringList order;
    for (int r = 0; r < ds.recordCount(); ++r) order << ds.row(r).asString("NIT");
    EXPECT_EQ(order, (QStringList{"Álamo", "alfa", "beta", "Zeta"}));
    EXPECT_EQ(ds.asString("NIT"), "beta");

    ds.sort("MONTO", false);
    QList<int64_t> ids;
    for (int r = 0; r < ds.recordCount(); ++r) ids << ds.row(r).asInt("NOTA_ID");
    EXPECT_EQ(ids, (QList<int64_t>{3, 1, 2, 4})) << "equal amounts keep their order";
}

TEST(DataSetNotifications, FireOnceAfterARealChange) {
    DataSet ds;
    openNotas(ds);
    QList<Dinero> seen;
    ds.onChange("monto", [&](DataSet& s) { seen << s.asDinero("MONTO"); });
    ds.append();
    ds.setValue("MONTO", d("10"));
    ds.setValue("MONTO", d("10.00"));  // same value
    ds.setValue("MONTO", fb::Decimal{1000, -2});
    EXPECT_EQ(seen, (QList<Dinero>{d("10")}));
    ds.cancel();  // restoring fires nothing
    EXPECT_EQ(seen.size(), 1);
}

TEST(DataSetNotifications, AHandlerDoesNotRunAgainWhileRunning) {
    DataSet ds;
    ds.openEmpty({{"A", FieldType::Integer}, {"B", FieldType::Integer}, {"C", FieldType::Integer}});
    int a = 0, b = 0, c = 0;
    // A sets itself and B; B sets A back (A → B → A) and C.
    ds.onChange("A", [&](DataSet& s) {
        ++a;
        s.setValue("A", s.asInt("A") + 1);
        s.setValue("B", s.asInt("A") * 10);
    });
    ds.onChange("B", [&](DataSet& s) {
        ++b;
        s.setValue("A", 0);
        s.setValue("C", s.asInt("B") + 1);
    });
    ds.onChange("C", [&](DataSet&) { ++c; });
    ds.append();
    ds.setValue("A", 1);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(ds.asInt("A"), 0);  // the inner changes were stored, silently
    EXPECT_EQ(ds.asInt("B"), 20);
    EXPECT_EQ(ds.asInt("C"), 21);

    ds.setValue("A", 5);  // the guard is released: it fires again
    EXPECT_EQ(a, 2);
}

TEST(DataSetNotifications, AFailingHandlerReleasesItsGuard) {
    DataSet ds;
    ds.openEmpty({{"A", FieldType::Integer}});
    int calls = 0;
    ds.onChange("A", [&](DataSet&) {
        ++calls;
        throw std::runtime_error("lookup failed");
    });
    ds.append();
    EXPECT_THROW(ds.setValue("A", 1), std::runtime_error);
    EXPECT_EQ(ds.asInt("A"), 1);
    EXPECT_THROW(ds.setValue("A", 2), std::runtime_error);
    EXPECT_EQ(calls, 2);
}

TEST(DataSetNotifications, PostScrollNewRecordAndRemoveHooks) {
    DataSet ds;
    openNotas(ds);
    QStringList log;
    ds.onNewRecord([&](DataSet& s) {
        log << "new";
        s.setValue("NOTA_ID", 0);
        s.setValue("FECHA", QDate(2024, 1, 31));
    });
    ds.beforePost([&](DataSet& s) {
        log << "before";
        if (s.asDinero("MONTO").signo() < 0) throw DataSetError("El monto no puede ser negativo.", "MONTO");
    });
    ds.afterPost([&](DataSet&) { log << "after"; });
    ds.afterScroll([&](DataSet& s) { log << "scroll " + s.asString("NIT"); });
    ds.afterRemove([&](DataSet&) { log << "removed"; });

    ds.append();
    EXPECT_EQ(ds.asDate("FECHA"), QDate(2024, 1, 31));
    ds.setValue("NIT", "A");
    ds.setValue("MONTO", d("-1"));
    EXPECT_EQ(thrownField([&] { ds.post(); }), "MONTO");
    EXPECT_EQ(ds.state(), DataSet::State::Insert);
    ds.setValue("MONTO", d("1"));
    ds.post();
    addNota(ds, 2, "B");
    log.clear();
    ds.first();
    ds.first();  // same row: no scroll
    ds.remove();
    EXPECT_EQ(log, (QStringList{"scroll A", "scroll B", "removed"}));
}

TEST(DataSetCalculated, RecomputedOnEveryChangeAndNeverSettable) {
    DataSet ds;
    ds.addCalculated({"IVA", FieldType::Decimal, 0, 4},
                     [](const cxp::RecordRef& r) { return cxp::toValue(r.asDinero("MONTO").porcentaje(d("19"))); });
    ds.addCalculated({"TOTAL", FieldType::Decimal, 0, 4},
                     [](const cxp::RecordRef& r) { return cxp::toValue(r.asDinero("MONTO") + r.asDinero("IVA")); });
    openNotas(ds);
    ds.field("IVA").setLabel("I.V.A.");
    ds.append();
    EXPECT_EQ(ds.asDinero("TOTAL"), Dinero());
    ds.setValue("MONTO", d("100.10"));
    EXPECT_EQ(ds.asDinero("IVA"), d("19.019"));
    EXPECT_EQ(ds.asDinero("TOTAL"), d("119.119"));
    EXPECT_EQ(thrownField([&] { ds.setValue("TOTAL", d("1")); }), "TOTAL");
    ds.cancel();

    addNota(ds, 1, "A", "10");
    ds.edit();
    ds.setValue("MONTO", d("20"));
    ds.cancel();
    EXPECT_EQ(ds.asDinero("TOTAL"), d("11.9"));

    openNotas(ds);  // re-opening keeps calculated fields and their settings
    EXPECT_EQ(ds.field("IVA").label(), "I.V.A.");
    EXPECT_TRUE(ds.field("TOTAL").calculated());
}

TEST(DataSetSum, IsExactAndSkipsNulls) {
    DataSet ds;
    openNotas(ds);
    addNota(ds, 1, "A", "0.10");
    addNota(ds, 2, "B", "0.20");
    addNota(ds, 3, "C", "1234567890.07");
    ds.append();
    ds.setValue("NOTA_ID", 4);
    ds.setValue("NIT", "D");
    ds.post();  // MONTO null
    EXPECT_EQ(ds.sum("MONTO"), d("1234567890.37"));
    EXPECT_EQ(ds.sum("NOTA_ID"), d("10"));
    EXPECT_THROW(ds.sum("NIT"), DataSetError);
}

TEST(DataSetDetails, NewDetailRowsTakeTheMasterKeyAndFollowItsChanges) {
    DataSet notas, lineas, subs;
    openNotas(notas);
    openLineas(lineas);
    subs.openEmpty({{"NOTA_ID", FieldType::Integer}, {"LINEA", FieldType::Integer}, {"X", FieldType::Integer}});
    notas.addDetail(lineas, {"NOTA_ID"}, {"NOTA_ID"});
    lineas.addDetail(subs, {"NOTA_ID", "LINEA"}, {"NOTA_ID", "LINEA"});

    EXPECT_THROW(lineas.append(), DataSetError) << "no master row";
    notas.append();
    notas.setValue("NOTA_ID", 0);  // a new document holds id 0
    addLinea(lineas, 1, "10");
    addLinea(lineas, 2, "20");
    subs.append();
    subs.setValue("X", 9);
    subs.post();
    EXPECT_EQ(lineas.asInt("NOTA_ID"), 0);
    EXPECT_EQ(subs.asInt("LINEA"), 2);

    notas.setValue("NOTA_ID", 345);  // its real id, taken just before storing
    EXPECT_EQ(lineas.row(0).asInt("NOTA_ID"), 345);
    EXPECT_EQ(lineas.row(1).asInt("NOTA_ID"), 345);
    EXPECT_EQ(subs.asInt("NOTA_ID"), 345) << "and down to the details' details";

    notas.setValue("NIT", "800");
    notas.post();
    notas.edit();
    notas.setValue("NOTA_ID", 346);
    notas.cancel();
    EXPECT_EQ(lineas.row(1).asInt("NOTA_ID"), 345) << "cancel puts the old key back";
    EXPECT_EQ(lineas.sum("VALOR"), d("30"));
}

TEST(DataSetDetails, TheDetailShowsTheRowsOfTheCurrentMasterRow) {
    DataSet notas, lineas;
    openNotas(notas);
    openLineas(lineas);
    notas.addDetail(lineas, {"NOTA_ID"}, {"NOTA_ID"});
    int scrolls = 0;
    lineas.afterScroll([&](DataSet&) { ++scrolls; });
    // Two new documents both hold id 0: each keeps its own lines.
    addNota(notas, 0, "A");
    addLinea(lineas, 1, "1");
    addLinea(lineas, 2, "2");
    addNota(notas, 0, "B");
    EXPECT_TRUE(lineas.isEmpty());
    addLinea(lineas, 1, "100");
    EXPECT_EQ(lineas.sum("VALOR"), d("100"));

    scrolls = 0;
    notas.first();
    EXPECT_EQ(lineas.recordCount(), 2);
    EXPECT_EQ(lineas.sum("VALOR"), d("3"));
    EXPECT_EQ(lineas.currentRow(), 0);
    EXPECT_GE(scrolls, 1);

    lineas.edit();
    lineas.setValue("VALOR", d("5"));
    notas.last();  // the master moving posts the detail first
    EXPECT_EQ(lineas.state(), DataSet::State::Browse);
    notas.first();
    EXPECT_EQ(lineas.sum("VALOR"), d("7"));
}

TEST(DataSetDetails, RemovingAMasterRowRemovesItsDetails) {
    DataSet notas, lineas;
    openNotas(notas);
    openLineas(lineas);
    notas.addDetail(lineas, {"NOTA_ID"}, {"NOTA_ID"});
    addNota(notas, 1, "A");
    addLinea(lineas, 1, "1");
    addNota(notas, 2, "B");
    addLinea(lineas, 1, "2");
    addLinea(lineas, 2, "3");
    lineas.append();  // pending detail row: dropped with its master
    notas.remove();
    EXPECT_EQ(notas.recordCount(), 1);
    EXPECT_EQ(lineas.recordCount(), 1);
    EXPECT_EQ(lineas.asDinero("VALOR"), d("1"));
    notas.remove();
    EXPECT_TRUE(lineas.isEmpty());
    EXPECT_FALSE(notas.hasChanges()) << "rows never stored leave nothing to write";
}

TEST(DataSetDetails, CancellingANewMasterRowDropsItsNewDetails) {
    DataSet notas, lineas;
    openNotas(notas);
    openLineas(lineas);
    notas.addDetail(lineas, {"NOTA_ID"}, {"NOTA_ID"});
    addNota(notas, 1, "A");
    addLinea(lineas, 1, "1");
    notas.append();
    notas.setValue("NOTA_ID", 2);
    addLinea(lineas, 1, "50");
    notas.cancel();
    EXPECT_EQ(notas.recordCount(), 1);
    EXPECT_EQ(lineas.recordCount(), 1);
    EXPECT_EQ(lineas.sum("VALOR"), d("1"));
}

TEST(DataSetDetails, RefusesCyclesAndMismatchedLinks) {
    DataSet a, b;
    openNotas(a);
    openLineas(b);
    EXPECT_THROW(a.addDetail(b, {"NOTA_ID"}, {}), DataSetError);
    a.addDetail(b, {"NOTA_ID"}, {"NOTA_ID"});
    EXPECT_THROW(b.addDetail(a, {"NOTA_ID"}, {"NOTA_ID"}), DataSetError);
    EXPECT_THROW(a.addDetail(a, {"NOTA_ID"}, {"NOTA_ID"}), DataSetError);
}
