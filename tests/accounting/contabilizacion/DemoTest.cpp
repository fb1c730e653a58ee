// The whole way of one demo document of each kind (charge, discount,
// application, payment voucher) through the company's own posting
// procedures: the protocol posts it, the review window saves it (by itself
// when its interface needs no confirmation, by F2 otherwise), and the
// document ends with exactly one ledger voucher, balanced in both charts.
#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "base/Sql.h"
#include "db/Esquema.h"
#include "tests/accounting/contabilizacion/Entorno.h"

#include <QTest>

using namespace cxp;

namespace {

class Demo : public ::testing::Test {
protected:
    prueba::BaseTemporal compania{prueba::plantillaDemo()};
    prueba::InteraccionGrabada interaccion;
    Sesion sesion;
    ManejadorErrores manejador{interaccion, sesion, nullptr};
    Configuracion configuracion{interaccion};
    ContextoContabilizacion contexto;

    void SetUp() override {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.compania = compania.conectar();
        configuracion.cargar(sesion.compania);
    }
    int64_t entero(const QString& sql) {
        auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? (*f)[0].toInt64() : 0;
    }
};

TEST_F(Demo, CadaClaseDeDocumentoTerminaEnUnComprobanteCuadrado) {
    struct Clase {
        int tipo;
        const char* documentos;  // id, prefix, date of each document of the kind
        const char* interfaz;    // its definition by prefix
    };
    const Clase clases[] = {
        {51, "select NDPR_ID, PREF_PRE, NDPR_FECHA from NOTAS_DEBITO_PROVEEDOR order by NDPR_ID",
         "select INCP_ID from INTERFAZ_CXPAGAR where TIDO_COD = 51 and PREF_PRE = "},
        {52, "select NCPR_ID, PREF_PRE, NCPR_FECHA from NOTAS_CREDITO_PROVEEDOR order by NCPR_ID",
         "select INCP_ID from INTERFAZ_CXPAGAR where TIDO_COD = 52 and PREF_PRE = "},
        {53, "select APPR_ID, PREF_PRE, APPR_FECHA from APLICACION_PROVEDOR order by APPR_ID",
         "select INCP_ID from INTERFAZ_CXPAGAR where TIDO_COD = 53 and PREF_PRE = "},
        {62, "select EGRE_ID, PREF_PRE, EGRE_FECHA from EGRESOS order by EGRE_ID",
         "select INCJ_ID from INTERFAZ_CAJA where TIDO_COD = 62 and PREF_PRE = "},
    };
    for (const Clase& c : clases) {
        const std::vector<fb::Row> documentos = sesion.compania.query(QString::fromLatin1(c.documentos));
        ASSERT_FALSE(documentos.empty()) << c.tipo;
        const fb::Row& d = documentos.front();
        const int id = int(d[0].toInt64());
        SCOPED_TRACE(QStringLiteral("tipo %1 id %2").arg(c.tipo).arg(id).toStdString());
        int mostradas = 0;
        ProtocoloContabilizacion protocolo(
            sesion, interaccion, configuracion, contexto,
            [&](int, const QString& prefijo) {
                return int(entero(QString::fromLatin1(c.interfaz) + sql::texto(prefijo)));
            },
            [&] {
                Tfcontabiliza ventana(sesion, interaccion, manejador, configuracion, contexto);
                if (!ventana.abrir() || !ventana.necesaria()) return ProtocoloContabilizacion::Revision{};
                ventana.activar();
                if (ventana.mostrar()) {
                    ++mostradas;
                    ventana.grabar();  // the person presses F2
                } else {
                    QTest::qWait(60);  // the window saves itself
                }
                return ProtocoloContabilizacion::Revision{
                    true, ventana.resultado() == Tfcontabiliza::Resultado::Aceptado};
            });
        // Posted twice: the second replaces the first ledger voucher.
        for (int vez = 0; vez < 2; ++vez)
            EXPECT_EQ(protocolo.contabilizar({c.tipo, id, d[1].toString(), d[2].toDate()}),
                      ProtocoloContabilizacion::Resultado::Finalizado)
                << interaccion.mensajes.join(u'\n').toStdString();
        EXPECT_TRUE(interaccion.mensajes.isEmpty()) << interaccion.mensajes.join(u'\n').toStdString();
        const QString doc = QStringLiteral(" where enco_tiporef = %1 and enco_idref = %2").arg(c.tipo).arg(id);
        ASSERT_EQ(entero("select count(*) from comprobante_encabezado" + doc), 1);
        const int consec = int(entero("select enco_consec from comprobante_encabezado" + doc));
        for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) {
            SCOPED_TRACE(tabla);
            const QString t = QString::fromLatin1(tabla);
            EXPECT_GT(entero(QStringLiteral("select count(*) from %1 where enco_consec = %2").arg(t).arg(consec)), 0);
            EXPECT_EQ(entero(QStringLiteral("select sum(code_debitos * 100) - sum(code_creditos * 100) from %1 "
                                            "where enco_consec = %2")
                                 .arg(t)
                                 .arg(consec)),
                      0);
        }
    }
}

}  // namespace
