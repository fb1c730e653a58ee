// Print formats kept between prints: a change another connection commits to
// the format, its items or its elements is seen by the next print; a change
// not yet committed is not.
#include "printing/motor/Formato.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

using namespace cxp;

TEST(FormatoGuardado, CambioConfirmadoSeVeEnLaSiguienteLectura) {
    prueba::BaseTemporal base{prueba::plantillaDemo()};
    fb::Database lector = base.conectar(), otro = base.conectar();
    lector.setSharedReads(true);
    const auto f = lector.queryOne(QStringLiteral("select first 1 TIDO_COD, PREF_PRE from FORMATOS "
                                                  "where exists (select 1 from FORMATO_LINEAS l where l.TIDO_COD = "
                                                  "FORMATOS.TIDO_COD and l.PREF_PRE = FORMATOS.PREF_PRE)"));
    ASSERT_TRUE(f);
    const int tipo = int((*f)[0].toInt64());
    const QString prefijo = (*f)[1].toString();
    const std::vector<fb::Value> clave{tipo, prefijo};
    const auto leido = [&] { return *leerFormato(lector, tipo, prefijo); };
    const Formato inicial = leido();

    struct Caso {
        const char* que;
        QString sql;
        std::function<bool(const Formato&)> visto;
    };
    const std::vector<Caso> casos = {
        {"font size", "update FORMATOS set FORM_FSIZE = 31 where TIDO_COD = ? and PREF_PRE = ?",
         [](const Formato& x) { return x.tamano == 31; }},
        {"new item", "insert into FORMATO_DATOS (TIDO_COD, PREF_PRE, DAFO_ITEM, DAFO_DATO, DAFO_POSX, DAFO_POSY) "
                     "values (?, ?, 9999, 'NUEVO', 1, 1)",
         [&](const Formato& x) { return x.datos.size() == inicial.datos.size() + 1; }},
        {"element deleted", "delete from FORMATO_LINEAS where TIDO_COD = ? and PREF_PRE = ?",
         [](const Formato& x) { return x.lineas.empty(); }},
    };
    for (const Caso& c : casos) {
        fb::Transaction tr = otro.begin();
        tr.execute(c.sql, clave);
        EXPECT_FALSE(c.visto(leido())) << c.que << ": not committed yet";
        tr.commit();
        EXPECT_TRUE(c.visto(leido())) << c.que;
        EXPECT_TRUE(c.visto(leido())) << c.que << ": kept";
    }
}
