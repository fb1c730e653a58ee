#pragma once
// The demo company on a scratch database, and the services a document
// screen gets from the program: the company's accounting interfaces,
// posting through the review window (which saves itself when the voucher
// needs no confirmation, as a clerk sees it) and printing to PDF in a
// scratch folder. The readers answer 0 for a null or missing row.
#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/RevisionSola.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Importe.h"
#include "db/Esquema.h"
#include "printing/motor/ImprimirDocumento.h"
#include "tests/creditors/Entorno.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace prueba {

inline cxp::Dinero d(const char* t) { return *cxp::Dinero::desdeTexto(QString::fromLatin1(t)); }

// The text of a PDF, its layout kept, on one line per space run.
inline QString textoPdf(const QString& pdf) {
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(texto.waitForFinished(30000)) << pdf.toStdString();
    return QString::fromUtf8(texto.readAllStandardOutput()).simplified();
}

inline void cargarDemo(const BaseTemporal& base) {
    fb::Database db = base.conectar();
    cxp::esquema::ejecutar(db, cxp::esquema::guionDemo(cxp::esquema::Base::Compania));
}

class EntornoDemo : public EntornoAcreedores {
protected:
    cxp::ContextoContabilizacion contexto;
    QTemporaryDir carpeta;

    void SetUp() override {
        cargarDemo(compania);
        entrar();
        sesion.directorio = carpeta.path();
    }
    cxp::Dinero dinero(const QString& sql) {
        const auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? cxp::dineroDe((*f)[0]) : cxp::Dinero();
    }
    int64_t entero(const QString& sql) {
        const auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? (*f)[0].toString().trimmed().toLongLong() : 0;
    }
    cxp::Dinero saldoDoc(int tipo, int64_t id) {
        return dinero(QStringLiteral("select saldo from saldo_doc_cxpagar(%1, %2, current_date, 1)").arg(tipo).arg(id));
    }
    QString nombreCorto(int tipo) {
        return sesion.compania.queryOne(QStringLiteral("select tido_nomcorto from tipo_documento where tido_cod = %1").arg(tipo))
            ->at(0).toString().trimmed();
    }
    // The creditor in its payable and advance accounts of the ledger, and in
    // the payables subledger.
    cxp::Dinero mayorAcreedor(const QString& nit) {
        return dinero(QStringLiteral("select coalesce(sum(d.code_creditos - d.code_debitos), 0) from comprobante_detalle d "
                                     "join comprobante_encabezado e on e.enco_consec = d.enco_consec where d.terc_nit = '%1' "
                                     "and e.enco_anulado = 'N' and d.cuen_cod in ('22050501', '13300501')")
                          .arg(nit));
    }
    cxp::Dinero subAcreedor(const QString& nit) {
        return dinero(QStringLiteral("select saldo from saldo_proveedor('%1', current_date, 0)").arg(nit));
    }
    // The number of ledger vouchers of a chart's table that do not balance.
    int64_t descuadrados(const char* tabla) {
        return entero(QStringLiteral("select count(*) from (select enco_consec from %1 group by enco_consec "
                                     "having sum(code_debitos) <> sum(code_creditos))")
                          .arg(QLatin1String(tabla)));
    }
    // The one ledger voucher of a document: lines in both charts, each chart
    // balanced.
    void cuadraEnAmbosPlanes(int tipo, int64_t id) {
        const QString doc = QStringLiteral(" where enco_tiporef = %1 and enco_idref = %2").arg(tipo).arg(id);
        ASSERT_EQ(entero("select count(*) from comprobante_encabezado" + doc), 1);
        const int64_t consec = entero("select enco_consec from comprobante_encabezado" + doc);
        for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) {
            const QString de = QStringLiteral(" from %1 where enco_consec = %2").arg(QLatin1String(tabla)).arg(consec);
            EXPECT_GT(entero("select count(*)" + de), 0) << tabla;
            EXPECT_EQ(dinero("select sum(code_debitos) - sum(code_creditos)" + de), cxp::Dinero()) << tabla;
        }
    }
    // The company's interface of (type, prefix); the cash module's for vouchers.
    std::function<int(int, const QString&, bool)> interfaz(bool caja = false) {
        return [this, caja](int tipo, const QString& prefijo, bool preguntar) {
            cxp::Interfaces i(sesion.compania, interaccion);
            return caja ? i.abre_interfaz_caja(tipo, prefijo, preguntar) : i.abre_interfaz(tipo, prefijo, preguntar);
        };
    }
    cxp::ProtocoloContabilizacion::Revision revisar() {
        return cxp::revisionQueSeGrabaSola(sesion, interaccion, manejador, configuracion, contexto);
    }
    // Posts a saved document of `tipo` as the program does; the posting must end.
    std::function<void(int64_t, int, const QDate&)> contabilizar(int tipo, bool sinRevision = false) {
        return [this, tipo, sinRevision](int64_t id, int i, const QDate& fecha) {
            cxp::ProtocoloContabilizacion p(sesion, interaccion, configuracion, contexto,
                                            [i](int, const QString&) { return i; }, [this] { return revisar(); });
            p.setFinalizarSinRevision(sinRevision);
            EXPECT_EQ(p.contabilizar({tipo, int(id), QString(), fecha}),
                      cxp::ProtocoloContabilizacion::Resultado::Finalizado)
                << tipo << " " << mensajes().toStdString();
        };
    }
    // Prints a saved document of `tipo` to `pdf`; the print must succeed.
    std::function<void(int64_t)> imprimir(int tipo, const QString& pdf) {
        return [this, tipo, pdf](int64_t id) {
            const auto r = cxp::imprimirDocumento(sesion, configuracion, interaccion,
                                                  {tipo, QString(), id, cxp::SalidaImpresion::Pdf, pdf});
            EXPECT_TRUE(r.impreso) << r.mensaje.toStdString();
        };
    }
    // A screen's interface, posting and print (none when not given) for
    // documents of `tipo`; `caja` for the cash module's interfaces.
    template <class Servicios>
    Servicios servicios(int tipo, std::function<void(int64_t)> impresion = {}, bool caja = false) {
        Servicios s;
        s.abreInterfaz = interfaz(caja);
        s.contabilizar = contabilizar(tipo);
        s.imprimir = std::move(impresion);
        return s;
    }
};

}  // namespace prueba
