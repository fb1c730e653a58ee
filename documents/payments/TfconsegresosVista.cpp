#include "documents/payments/TfconsegresosVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/payments/Tfegresos.h"
#include "ui/BusquedaBase.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace cxp {

namespace {

using Columnas = std::initializer_list<std::pair<const char*, const char*>>;

// Only the named columns, with their captions.
void mostrar(DataSet& d, Columnas columnas) {
    for (int k = 0; k < d.fieldCount(); ++k) d.field(k).setVisible(false);
    for (const auto& [c, t] : columnas)
        if (d.fieldIndex(QString::fromLatin1(c)) >= 0) {
            d.field(QString::fromLatin1(c)).setVisible(true);
            d.field(QString::fromLatin1(c)).setLabel(QString::fromUtf8(t));
        }
}

QWidget* pagina(QWidget* padre, DataSet& d, Interaccion& interaccion, const QString& nombre,
                const QList<std::pair<QString, Dinero>>& totales) {
    auto* w = new QWidget(padre);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(2, 2, 2, 2);
    auto* r = new Rejilla(d, w);
    r->setObjectName(nombre);
    r->setInteraccion(&interaccion);
    r->setSoloLectura(true);
    r->setNombreArchivo(nombre);
    v->addWidget(r);
    auto* h = new QHBoxLayout;
    h->addStretch();
    for (const auto& [titulo, monto] : totales) {
        h->addWidget(new QLabel(titulo, w));
        auto* e = new QLabel(monto.texto(), w);
        e->setObjectName(titulo);
        e->setMinimumWidth(100);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setFrameShape(QFrame::StyledPanel);
        h->addWidget(e);
    }
    v->addLayout(h);
    return w;
}

}  // namespace

TfconsegresosVista::TfconsegresosVista(std::unique_ptr<Tfconsegresos> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfconsegresos"));
    setWindowTitle(Tfconsegresos::kTitulo);
    Tfconsegresos* l = logica_.get();
    DataSet& e = l->egreso();
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });

    // ---- header
    auto* cabecera = new QGridLayout;
    cabecera->setHorizontalSpacing(8);
    int fila = 0, columna = 0;
    auto dato = [&](const QString& titulo, const QString& valor, const QString& nombre = QString()) {
        cabecera->addWidget(new QLabel(titulo, this), fila, columna * 2);
        auto* v = new QLabel(valor, this);
        v->setObjectName(nombre);
        v->setFrameShape(QFrame::StyledPanel);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        cabecera->addWidget(v, fila, columna * 2 + 1);
        if (++columna == 3) {
            columna = 0;
            ++fila;
        }
    };
    auto texto = [&e](const char* campo) { return e.asString(QString::fromLatin1(campo)).trimmed(); };
    QString tipo = texto("EGRE_TIPO");
    for (const OpcionBusqueda& o : Tfegresos::tiposEgreso())
        if (o.clave == tipo) tipo = o.clave + QStringLiteral(" - ") + o.nombre;
    dato(QStringLiteral("Prefijo:"), texto("PREF_PRE"));
    dato(QStringLiteral("Número:"), texto("EGRE_NUMERO"), QStringLiteral("EGRE_NUMERO"));
    dato(QStringLiteral("Fecha:"), e.asDate(QStringLiteral("EGRE_FECHA")).toString(QStringLiteral("yyyy/MM/dd")));
    dato(QStringLiteral("Nit:"), texto("TERC_NIT"));
    dato(QStringLiteral("Acreedor:"), texto("NOMBRE_ACREEDOR"), QStringLiteral("nombreAcreedor"));
    dato(QStringLiteral("Tipo:"), tipo);
    dato(QStringLiteral("Clase:"), l->nombreClase(), QStringLiteral("nombreClase"));
    dato(QStringLiteral("Caja destino:"), l->nombreCaja(), QStringLiteral("nombreCaja"));
    dato(QStringLiteral("Documento banco:"), l->tipoBanco(), QStringLiteral("tipoBanco"));
    dato(QStringLiteral("Monto:"), e.asDinero(QStringLiteral("EGRE_MONTO")).texto(), QStringLiteral("EGRE_MONTO"));
    dato(QStringLiteral("Descuento:"), e.asDinero(QStringLiteral("EGRE_DTOF")).texto());
    dato(QStringLiteral("Excedente:"), e.asDinero(QStringLiteral("EGRE_EXCEDENTE")).texto());
    if (l->preguntaTasa()) dato(QStringLiteral("Tasa:"), e.asDinero(QStringLiteral("EGRE_TRM")).texto(4));
    if (columna != 0) ++fila;
    cabecera->addWidget(new QLabel(QStringLiteral("Concepto:"), this), ++fila, 0);
    auto* concepto = new QLabel(texto("EGRE_CONC"), this);
    concepto->setFrameShape(QFrame::StyledPanel);
    cabecera->addWidget(concepto, fila, 1, 1, 5);

    // ---- detail sets
    mostrar(l->detalle(), {{"EGDE_TIPONOM", "Tipo"}, {"EGDE_PREFIJO", "Prefijo"}, {"EGDE_NUMERO", "Número"},
                           {"EGDE_NUMPROV", "Nro.proveedor"}, {"EGDE_ABONO", "Abono"}, {"EGDE_DTOF", "Descuento"},
                           {"EGDE_RTFTE", "Retefuente"}, {"EGDE_RTIVA", "Reteiva"}, {"EGDE_RTICA", "Reteica"},
                           {"EGDE_RCREE", "Cree"}});
    mostrar(l->cruce(), {{"EGCC_TIPODOC", "Tipo"}, {"EGCC_PREFIJO", "Prefijo"}, {"EGCC_NUMERO", "Número"},
                         {"EGCC_ABONO", "Abono"}, {"EGCC_DTOF", "Descuento"}, {"EGCC_RTFTE", "Retefuente"},
                         {"EGCC_RTIVA", "Reteiva"}, {"EGCC_RTICA", "Reteica"}, {"EGCC_SUCURSAL", "Sucursal"}});
    mostrar(l->contabilidad(), {{"CUEN_COD", "Cuenta"}, {"EGCO_CONC", "Concepto"}, {"EGCO_NIT", "Nit"},
                                {"EGCO_DEBITOS", "Débitos"}, {"EGCO_CREDITOS", "Créditos"}, {"EGCO_BASEM", "Base"},
                                {"EGCO_PORC", "%"}, {"EGCO_CENTRO", "Centro"}});
    mostrar(l->caja(), {{"CAJA_NOMBRE", "Caja"}, {"FOPA_NOM", "Forma de pago"}, {"EGCA_BANCO", "Banco"},
                        {"EGCA_CUENTA", "Cuenta"}, {"EGCA_NUMERO", "Número"}, {"EGCA_FECHA", "Fecha"},
                        {"EGCA_MONTO", "Monto"}});
    mostrar(l->banco(), {{"CUBA_COD", "Cuenta"}, {"PRBA_PREF", "Prefijo"}, {"EGBC_NUMERO", "Número"},
                         {"EGBC_FECHA", "Fecha"}, {"EGBC_BENEF", "Beneficiario"}, {"EGBC_MONTO", "Monto"},
                         {"EGBC_CONCEPTO", "Concepto"}});
    const Tfconsegresos::Totales& t = l->totales();
    pestanas_ = new QTabWidget(this);
    pestanas_->addTab(pagina(this, l->detalle(), interaccion, QStringLiteral("ConsEgresoDocumentos"),
                             {{QStringLiteral("Abonos:"), t.abono}, {QStringLiteral("Descuentos:"), t.dtof},
                              {QStringLiteral("Retenciones:"), t.retenciones}}),
                      QStringLiteral("Documentos"));
    pestanas_->addTab(pagina(this, l->cruce(), interaccion, QStringLiteral("ConsEgresoCruce"),
                             {{QStringLiteral("Cruce:"), t.cruce}}),
                      QStringLiteral("Cruce cartera"));
    pestanas_->addTab(pagina(this, l->contabilidad(), interaccion, QStringLiteral("ConsEgresoContable"),
                             {{QStringLiteral("Débitos:"), t.debitos}, {QStringLiteral("Créditos:"), t.creditos}}),
                      QStringLiteral("Contabilidad"));
    pestanas_->addTab(pagina(this, l->caja(), interaccion, QStringLiteral("ConsEgresoCaja"),
                             {{QStringLiteral("Caja:"), t.caja}}),
                      QStringLiteral("Caja"));
    pestanas_->addTab(pagina(this, l->banco(), interaccion, QStringLiteral("ConsEgresoBanco"),
                             {{QStringLiteral("Banco:"), t.banco}}),
                      QStringLiteral("Banco"));

    auto* registro = new QLabel(l->registro(), this);
    registro->setObjectName(QStringLiteral("registro"));
    auto* anulado = new QLabel(this);
    anulado->setObjectName(QStringLiteral("anulado"));
    anulado->setWordWrap(true);
    anulado->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    anulado->setVisible(l->anulado());
    if (l->anulado()) anulado->setText(QStringLiteral("ANULADO. ") + l->razon());

    // ---- commands
    auto cerrar = [this] { BusquedaBase::cerrarPantalla(this); };
    auto pestana = [this](int i) { return [this, i] { pestanas_->setCurrentIndex(i); }; };
    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2: Imprimir"), [&manejador, l] { manejador.proteger([l] { l->imprimir(); }); });
    botonDePanel(panel, QStringLiteral("F4: Caja"), pestana(3));
    botonDePanel(panel, QStringLiteral("F5: Banco"), pestana(4));
    contabilidad_ = botonDePanel(panel, QStringLiteral("F11:Contabilidad"),
                                 [&manejador, l] { manejador.proteger([l] { l->verContabilidad(); }); });
    contabilidad_->setEnabled(!l->anulado());
    botonDePanel(panel, QStringLiteral("F12:Notas"), [&manejador, l] { manejador.proteger([l] { l->notas(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), cerrar);
    teclado_->asignar(Qt::Key_F2, [l] { l->imprimir(); });
    teclado_->asignar(Qt::Key_F4, pestana(3));
    teclado_->asignar(Qt::Key_F5, pestana(4));
    teclado_->asignar(Qt::Key_F11, [l] { l->verContabilidad(); });
    teclado_->asignar(Qt::Key_F12, [l] { l->notas(); });
    teclado_->asignar(Qt::Key_Escape, cerrar);

    auto* v = new QVBoxLayout(this);
    v->addWidget(panel);
    v->addLayout(cabecera);
    v->addWidget(anulado);
    v->addWidget(pestanas_, 1);
    v->addWidget(registro);
    resize(880, 560);
}

TfconsegresosVista::~TfconsegresosVista() = default;

}  // namespace cxp
