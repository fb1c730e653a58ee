// New and modified formats: the prefixes of the type, one format per prefix,
// counters and defaults of new items and elements, the round trip through
// the database, the detail lines a multi-page format needs, and the shift
// and trial print of the modify screen.
#include "printing/formatos/EdicionFormato.h"
#include "tests/printing/formatos/Entorno.h"

#include <QSignalSpy>

using namespace cxp;

namespace {

using Edicion = prueba::EntornoFormatos;

TEST_F(Edicion, NuevoFormatoIdaYVuelta) {
    unFormato(52, "0000");
    ejecutar("insert into TIPO_DOCUMENTO (TIDO_COD, TIDO_NOMCORTO, TIDO_NOMLARGO, TIDO_MODULO) values "
             "(99, 'SINPRE', 'SIN PREFIJOS', 'CXPAGAR')");
    {
        // A type without prefixes closes the screen.
        Tfdefformato d(sesion, interaccion, manejador);
        ASSERT_TRUE(d.abrir());
        QSignalSpy cierre(&d, &EdicionFormato::cerrar);
        d.formato().setValue("TIDO_COD", 99);
        EXPECT_EQ(interaccion.de("informacion"),
                  QStringList{"Debe crear antes los prefijos para el tipo de documento."});
        EXPECT_EQ(cierre.count(), 1);
    }
    Tfdefformato d(sesion, interaccion, manejador);
    ASSERT_TRUE(d.abrir());
    EXPECT_EQ(d.formato().state(), DataSet::State::Insert);
    EXPECT_EQ(d.formato().asString("FORM_PAGINAS"), "S");
    EXPECT_TRUE(d.tipos().contains(std::pair<int, QString>(62, "COMPROBANTE DE EGRESO")));
    // A prefix that has a format is emptied.
    d.formato().setValue("TIDO_COD", 52);
    EXPECT_EQ(d.prefijos(), QStringList{"0000"});
    d.formato().setValue("PREF_PRE", "0000");
    EXPECT_TRUE(d.formato().isNull("PREF_PRE"));
    EXPECT_EQ(interaccion.de("informacion").last(),
              "Ya existe un formato para ese documento. Use la opción de modificar.");

    d.formato().setValue("TIDO_COD", 51);
    d.formato().setValue("PREF_PRE", "0000");
    d.formato().setValue("FORM_FONT", "Courier");
    d.formato().setValue("FORM_FSIZE", 9);
    d.formato().setValue("FORM_NROITEMS", 12);
    EXPECT_EQ(d.contadorDatos(), 0);
    EXPECT_EQ(d.contadorLineas(), 0);
    for (const char* dato : {"PREFIJO", "TOTAL"}) {
        d.datos().append();
        d.datos().setValue("DAFO_DATO", dato);
        d.datos().post();
    }
    d.lineas().append();
    d.lineas().setValue("FOLI_CADENA", "CARGO");
    d.lineas().append();
    d.lineas().setValue("FOLI_TIPO", "G");
    d.cargarImagen(imagen());
    EXPECT_EQ(d.imagen(), imagen());
    QSignalSpy cierre(&d, &EdicionFormato::cerrar);
    ASSERT_TRUE(d.grabar("Impresora 1")) << mensajes().toStdString();
    EXPECT_EQ(cierre.count(), 1);

    auto f = filas("select FORM_IMPRE, FORM_PAGINAS, FORM_NROITEMS from FORMATOS where TIDO_COD = 51");
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0][0].toString(), "Impresora 1");
    EXPECT_EQ(f[0][1].toString(), "S");
    auto dd = filas("select DAFO_ITEM, DAFO_DATO, DAFO_INI, DAFO_FONT, DAFO_FSIZE, DAFO_IMPRIME, DAFO_REPITE, "
                    "DAFO_LIQUIDA, DAFO_POSYVAR from FORMATO_DATOS where TIDO_COD = 51 order by 1");
    ASSERT_EQ(dd.size(), 2u);
    QStringList vistos;
    for (const auto& r : dd) {
        QStringList c;
        for (const auto& v : r.values()) c << v.toString();
        vistos << c.join(',');
    }
    EXPECT_EQ(vistos, (QStringList{"1,PREFIJO,1,Courier,9,S,N,N,N", "2,TOTAL,1,Courier,9,S,N,N,N"}));
    // Elements: the counter goes up first and the element takes one more.
    auto ll = filas("select FOLI_ITEM, FOLI_TIPO, FOLI_FONT, FOLI_FSIZE, FOLI_LIQUIDA, FOLI_IMAGEN from FORMATO_LINEAS "
                    "where TIDO_COD = 51 order by 1");
    ASSERT_EQ(ll.size(), 2u);
    EXPECT_EQ(ll[0][0].toInt64(), 2);
    EXPECT_EQ(ll[0][1].toString(), "T");
    EXPECT_EQ(ll[0][2].toString(), "Courier");
    EXPECT_EQ(ll[0][3].toInt64(), 9);
    EXPECT_EQ(ll[0][4].toString(), "N");
    EXPECT_EQ(ll[1][0].toInt64(), 3);
    EXPECT_EQ(ll[1][5].toBytes(), imagen());

    // Modify: counters from the stored numbers, changes and deletes kept.
    Tfmodformato m(51, "0000", sesion, interaccion, manejador);
    ASSERT_TRUE(m.abrir()) << mensajes().toStdString();
    EXPECT_EQ(m.contadorDatos(), 2);
    EXPECT_EQ(m.contadorLineas(), 3);
    EXPECT_EQ(m.datos().recordCount(), 2);
    EXPECT_EQ(m.lineas().recordCount(), 2);
    EXPECT_TRUE(m.formato().field("PREF_PRE").readOnly());
    m.datos().append();
    EXPECT_EQ(m.datos().asInt("DAFO_ITEM"), 3);
    m.datos().setValue("DAFO_DATO", "NIT");
    m.lineas().append();
    EXPECT_EQ(m.lineas().asInt("FOLI_ITEM"), 5);
    m.lineas().first();
    m.lineas().remove();
    m.formato().edit();
    m.formato().setValue("FORM_FSIZE", 11);
    ASSERT_TRUE(m.grabar("Impresora 2")) << mensajes().toStdString();
    EXPECT_EQ(filas("select FORM_IMPRE, FORM_FSIZE from FORMATOS where TIDO_COD = 51")[0].values(),
              (std::vector<fb::Value>{QString("Impresora 2"), int64_t(11)}));
    EXPECT_EQ(cuenta("select count(*) from FORMATO_DATOS where TIDO_COD = 51"), 3);
    EXPECT_EQ(filas("select list(FOLI_ITEM) from (select FOLI_ITEM from FORMATO_LINEAS where TIDO_COD = 51 order by 1)")[0][0]
                  .toString(),
              "3,5");
}

TEST_F(Edicion, VariasPaginasPidenRepeticiones) {
    Tfdefformato d(sesion, interaccion, manejador);
    ASSERT_TRUE(d.abrir());
    d.formato().setValue("TIDO_COD", 51);
    d.formato().setValue("PREF_PRE", "0000");
    const QString mensaje =
        "El número de repeticiones de items debe ser mayor que cero cuando se permiten varias páginas.";
    for (const fb::Value& v : {fb::Value(), fb::Value(0), fb::Value(-3)}) {
        d.formato().setValue("FORM_NROITEMS", v);
        EXPECT_FALSE(d.grabar({}));
        EXPECT_EQ(interaccion.de("error").last(), mensaje);
        EXPECT_EQ(interaccion.enfoques.last(), "FORM_NROITEMS");
        EXPECT_EQ(cuenta("select count(*) from FORMATOS"), 0);
    }
    // One page only: no number needed.
    d.formato().setValue("FORM_PAGINAS", "N");
    EXPECT_TRUE(d.grabar({})) << mensajes().toStdString();
    EXPECT_EQ(cuenta("select count(*) from FORMATOS"), 1);
}

TEST_F(Edicion, ModificarSinFormatoMoverYVistaPrevia) {
    {
        Tfmodformato m(51, "0000", sesion, interaccion, manejador);
        EXPECT_FALSE(m.abrir());
        unFormato(52, "0000");
        EXPECT_FALSE(m.abrir());
        EXPECT_EQ(interaccion.de("informacion"),
                  (QStringList{"Error.No se encuentra el Formato solicitado", "Formato no encontrado."}));
    }
    unFormato(51, "0000");
    Tfmodformato m(51, "0000", sesion, interaccion, manejador);
    ASSERT_TRUE(m.abrir());
    // F5: pending changes are stored before the shift, the format is read
    // again after it.
    m.formato().edit();
    m.formato().setValue("FORM_ENTRELINEA", 55);
    int llamado = 0;
    ASSERT_TRUE(m.mover([&](int tipo, const QString& prefijo) {
        ++llamado;
        EXPECT_EQ(cuenta("select FORM_ENTRELINEA from FORMATOS where TIDO_COD = 51"), 55);
        ejecutar("execute procedure MOVER_FORMATO(?, ?, 10, 0, 2000, 'D')", {tipo, prefijo});
        return true;
    }));
    EXPECT_EQ(llamado, 1);
    ASSERT_TRUE(m.datos().locate("DAFO_ITEM", 1));
    EXPECT_EQ(m.datos().asInt("DAFO_POSY"), 60);

    // F8: the last charge of the prefix; none yet.
    std::vector<int64_t> impresos;
    m.setImpresor([&](int, const QString&, int64_t id) { impresos.push_back(id); });
    EXPECT_FALSE(m.vistaPrevia());
    EXPECT_EQ(interaccion.de("informacion").last(), "Debe registrar antes al menos una nota.");
    EXPECT_TRUE(impresos.empty());
    // With charges: the last one of the prefix, not of another prefix.
    ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'BB', '000001')");
    ejecutar("insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV, TERC_ESTADO, TERC_CLIE, TERC_TIPOID) values "
             "('800', 'ACREEDOR', 'S', 'S', 'N', 'J')");
    for (const auto& [id, prefijo] : {std::pair{7, "0000"}, std::pair{9, "0000"}, std::pair{12, "BB"}})
        ejecutar("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE) "
                 "values (?, '800', ?, ?, current_date, current_date)",
                 {id, prefijo, QString("%1").arg(id, 6, 10, QChar('0'))});
    EXPECT_TRUE(m.vistaPrevia()) << mensajes().toStdString();
    EXPECT_EQ(impresos, std::vector<int64_t>{9});
    EXPECT_EQ(Tfmodformato::ultimoDocumento(56)->sinDocumento, "Debe registrar antes al menos una orden.");
    EXPECT_FALSE(Tfmodformato::ultimoDocumento(62).has_value());
}

}  // namespace
