#include "documents/charges/TfnotasdebitoVista.h"

#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/payments/MediosPagoVista.h"
#include "documents/service/OrdenEnCargoVista.h"
#include "ui/DobleClic.h"
#include "ui/BusquedaBase.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace cxp {

namespace {

QString importe(Dinero v) { return v.texto(2); }

}  // namespace

TfnotasdebitoVista::TfnotasdebitoVista(std::unique_ptr<DocumentoAjuste> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre, Modo modo)
    : QWidget(padre), logica_(std::move(logica)), modo_(modo), interaccion_(interaccion), manejador_(manejador) {
    if (modo_ == Modo::Consulta) consulta_ = qobject_cast<ConsultaAjuste*>(logica_.get());
    const DocumentoAjuste& L = *logica_;
    const bool cargo = L.clase().tipo == 51;
    const QString pantalla = cargo ? QStringLiteral("Tfnotasdebito") : QStringLiteral("Tfnotascredito");
    setObjectName(consulta_ ? pantalla + u'2' : pantalla);
    setWindowTitle(cargo ? QStringLiteral("Cargos en Cuenta") : QStringLiteral("Descuentos en Cuenta"));
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return confirmar(); });
    DataSet& c = logica_->cargo();

    QFrame* panel = panelBotones(this, sesion);
    if (consulta_) {
        botonDePanel(panel, QStringLiteral("F2: Imprimir"), [this] { manejador_.proteger([this] { consulta_->imprimir(); }); });
        botonDePanel(panel, QStringLiteral("F5:Bases IVA"), [this] { manejador_.proteger([this] { alternarBases(); }); });
        botonDePanel(panel, QStringLiteral("F11:Contabilidad"),
                     [this] { manejador_.proteger([this] { consulta_->contabilidad(); }); });
        botonDePanel(panel, QStringLiteral("Artículos"), [this] { manejador_.proteger([this] { abrirLineas(); }); });
        botonDePanel(panel, QStringLiteral("F12:Notas"), [this] { manejador_.proteger([this] { consulta_->notas(); }); });
        botonDePanel(panel, QStringLiteral("Replicar"), [this] { manejador_.proteger([this] { consulta_->replicar(); }); });
    } else {
        botonDePanel(panel, QStringLiteral("F2: Grabar"), [this] { manejador_.proteger([this] { grabar(); }); });
        botonDePanel(panel, QStringLiteral("F5:Bases IVA"), [this] { manejador_.proteger([this] { alternarBases(); }); });
        botonDePanel(panel, QStringLiteral("F6:Acreedor"),
                     [this] { manejador_.proteger([this] { logica_->buscarAcreedor(); }); });
        botonDePanel(panel, QStringLiteral("Artículos"), [this] { manejador_.proteger([this] { abrirLineas(); }); });
        if (L.clase().pagoContado) {
            // F4 pays the charge at once in cash; F8 opens the charge search.
            QPushButton* egreso = botonDePanel(panel, QStringLiteral("F4:Egreso"),
                                               [this] { manejador_.proteger([this] { pagarDeContado(); }); });
            egreso->setObjectName(QStringLiteral("pagoContado"));
            QPushButton* buscar = botonDePanel(panel, QStringLiteral("F8:Buscar"), [this] {
                manejador_.proteger([this] { interaccion_.abrirPantalla(QStringLiteral("Tfbuscanotdebito")); });
            });
            buscar->setObjectName(QStringLiteral("buscarCargos"));
        }
    }
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { manejador_.proteger([this] { escape(); }); });

    // ---- header
    auto* prefijo = new QComboBox(this);
    prefijo->setObjectName(QStringLiteral("PREF_PRE"));
    Enlaces::Claves prefijos;
    for (const OpcionBusqueda& o : logica_->prefijos()) prefijos.append({o.clave, o.nombre});
    enlaces_->enlazar(prefijo, c, QStringLiteral("PREF_PRE"), prefijos);
    QLineEdit* numero = linea(L.c("NUMERO"), c, 80);
    numero->setMinimumWidth(70);
    auto fecha = [this, &c](const QString& campo) {
        auto* e = new QDateEdit(this);
        e->setObjectName(campo);
        e->setCalendarPopup(true);
        enlaces_->enlazar(e, c, campo);
        return e;
    };
    QDateEdit* fechaDoc = fecha(L.c("FECHA"));
    fechaDoc->setReadOnly(logica_->fechaInhabilitada());
    QDateEdit* vence = L.clase().vence ? fecha(L.c("VENCE")) : nullptr;
    dias_ = new QLineEdit(this);
    dias_->setObjectName(QStringLiteral("DiasVence"));
    dias_->setValidator(new QIntValidator(0, 9999, dias_));
    dias_->setMaximumWidth(50);
    connect(dias_, &QLineEdit::editingFinished, this,
            [this] { manejador_.proteger([this] { logica_->setDiasVence(dias_->text().toInt()); }); });

    QLineEdit* nit = linea(QStringLiteral("TERC_NIT"), c, 110);
    nit->installEventFilter(new DobleClic(nit, [this] { manejador_.proteger([this] { logica_->buscarAcreedor(); }); }));

    auto* cabecera = new QGridLayout;
    cabecera->setHorizontalSpacing(6);
    cabecera->setVerticalSpacing(3);
    int f = 0;
    auto fila = [&](std::initializer_list<std::pair<const char*, QWidget*>> partes) {
        auto* h = new QHBoxLayout;
        for (const auto& [titulo, w] : partes) {
            if (titulo && *titulo) h->addWidget(new QLabel(QString::fromUtf8(titulo), this));
            h->addWidget(w);
        }
        h->addStretch();
        cabecera->addLayout(h, f++, 0);
    };
    if (L.clase().vence) {
        fila({{"Prefijo:", prefijo}, {"Número:", numero}, {"Fecha:", fechaDoc}, {"Vence:", vence}, {"Dias vence", dias_},
              {"Autorización DIAN:", linea(L.c("AUTO"), c, 120)}});
        editores_.value(L.c("AUTO"))->setReadOnly(true);
    } else {
        dias_->hide();
        fila({{"Prefijo:", prefijo}, {"Número:", numero}, {"Fecha:", fechaDoc}});
    }
    numero->setReadOnly(logica_->numeroAutomatico());
    QLabel* nombreAcreedor = nombre(QStringLiteral("nombreAcreedor"));
    nombreAcreedor->setMinimumWidth(300);
    fila({{"Acreedor:", nit}, {"", nombreAcreedor},
          {"Nro. doc.:", linea(L.c("NUMPROV"), c, 110)}});
    if (cargo)
        fila({{"Concepto:", linea(L.c("CONC"), c, 380)}, {"Planilla:", linea(L.c("NUMCTR"), c, 100)}});
    else
        fila({{"Concepto:", linea(L.c("CONC"), c, 380)}});
    QLineEdit* articulo = linea(QStringLiteral("ARTI_COD"), c, 110);
    auto* factura = new QPushButton(QStringLiteral("Aplicar a factura"), this);
    factura->setObjectName(QStringLiteral("aplicarFactura"));
    factura->setFocusPolicy(Qt::NoFocus);
    factura->setEnabled(!consulta_);
    connect(factura, &QPushButton::clicked, this, [this] { manejador_.proteger([this] { logica_->aplicarAFactura(); }); });
    if (L.clase().ordenServicio)
        fila({{"Aplicar a artículo:", articulo}, {"", factura}, {"", nombre(QStringLiteral("factura"))},
              {"", linea(L.c("ORDSERV"), c, 110)},
              {"", botonOrdenServicio(this, c, interaccion_, manejador_, !consulta_)}});
    else
        fila({{"Aplicar a artículo:", articulo}, {"", factura}, {"", nombre(QStringLiteral("factura"))}});
    if (!L.clase().cruces.isEmpty() && !consulta_) {
        // "Aplicar a:": the kind and the prefix+number of the document crossed.
        auto* clase = new QComboBox(this);
        clase->setObjectName(QStringLiteral("claseCruce"));
        clase->addItem(QString());
        for (const auto& cruce : L.clase().cruces) clase->addItem(cruce.clase);
        auto* numeroCruce = new QLineEdit(this);
        numeroCruce->setObjectName(QStringLiteral("numeroCruce"));
        numeroCruce->setMaxLength(10);
        numeroCruce->setMaximumWidth(100);
        connect(numeroCruce, &QLineEdit::editingFinished, this, [this, clase, numeroCruce] {
            if (!numeroCruce->isModified()) return;
            numeroCruce->setModified(false);
            manejador_.proteger([this, clase, numeroCruce] {
                if (!logica_->aplicarA(clase->currentText(), numeroCruce->text())) numeroCruce->clear();
            });
            refrescar();
        });
        // A saved document takes its crossing with it.
        connect(logica_.get(), &DocumentoAjuste::reiniciado, numeroCruce, [clase, numeroCruce] {
            numeroCruce->clear();
            clase->setCurrentIndex(0);
        });
        fila({{"Aplicar a:", clase}, {"", numeroCruce}, {"", nombre(QStringLiteral("cruce"))}});
    }
    if (logica_->preguntaMandante()) {
        QLineEdit* mandante = linea(L.c("MANDANTE"), c, 110);
        teclado_->busqueda(mandante, [this](const QString&) { logica_->buscarMandante(); });
        fila({{"Mandante:", mandante}, {"", nombre(QStringLiteral("nombreMandante"))}});
    }
    if (logica_->preguntaTasa())
        fila({{"Moneda:", linea(L.c("MONEDA"), c, 50)}, {"Tasa:", linea(L.c("TRM"), c, 90)}});

    // ---- amounts
    auto* montos = new QGroupBox(QStringLiteral("Valores"), this);
    auto* gm = new QGridLayout(montos);
    gm->setVerticalSpacing(2);
    subTotal_ = new QLineEdit(this);
    subTotal_->setObjectName(QStringLiteral("SubTotal"));
    subTotal_->setAlignment(Qt::AlignRight);
    subTotal_->setMaximumWidth(120);
    connect(subTotal_, &QLineEdit::editingFinished, this, [this] { confirmarSubTotal(); });
    int r = 0;
    auto dupla = [&](int columna, const QString& titulo, const QString& tasa, const QString& monto) {
        gm->addWidget(new QLabel(titulo, montos), r, columna);
        if (!tasa.isEmpty()) gm->addWidget(linea(tasa, c, 60), r, columna + 1);
        if (!monto.isEmpty()) gm->addWidget(linea(monto, c, 110), r, columna + 2);
        ++r;
    };
    gm->addWidget(new QLabel(QStringLiteral("Monto:"), montos), r, 0);
    gm->addWidget(subTotal_, r++, 2);
    const int descuentos = logica_->descuentosAdicionales() ? 4 : 1;
    for (int i = 0; i < descuentos; ++i)
        dupla(0, cargo ? QStringLiteral("Descuento %1 %:").arg(i + 1) : QStringLiteral("Descuento %:"), L.dtoPorc(i),
              L.dtoMonto(i));
    dupla(0, QStringLiteral("Valor adicional:"), {}, L.c("ADICIONAL"));
    dupla(0, QStringLiteral("Subtotal:"), {}, L.c("MONTO"));
    editores_.value(L.c("MONTO"))->setReadOnly(true);
    dupla(0, QStringLiteral("IVA %:"), L.c("IVAPORC"), L.c("IVAMONTO"));
    dupla(0, QStringLiteral("Valor extra:"), {}, L.c("EXTRA"));
    const int filasIzquierda = r;
    r = 0;
    dupla(3, QStringLiteral("Base ret. fuente:"), {}, L.c("BASERTFTE"));
    dupla(3, QStringLiteral("Ret. fuente %:"), L.c("RTFTEPORC"), L.c("RTFTEMONTO"));
    dupla(3, QStringLiteral("Ret. IVA %:"), L.c("RTIVAPORC"), L.c("RTIVAMONTO"));
    dupla(3, QStringLiteral("Ret. ICA x mil:"), L.c("RTICAPORC"), L.c("RTICAMONTO"));
    dupla(3, QStringLiteral("CREE %:"), L.c("RTCREE"), L.c("RTCREEM"));
    dupla(3, QStringLiteral("Dto. pronto pago %:"), L.c("DTOFPORC"), L.c("DTOFMONTO"));
    gm->addWidget(new QLabel(QStringLiteral("Hasta:"), montos), r, 3);
    gm->addWidget(fecha(L.c("DTOFECHA")), r++, 5);
    r = std::max(r, filasIzquierda);
    auto* total = nombre(QStringLiteral("totalconiva"));
    auto* neto = nombre(QStringLiteral("total"));
    for (QLabel* l : {total, neto}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
    }
    gm->addWidget(new QLabel(QStringLiteral("Total:"), montos), r, 0);
    gm->addWidget(total, r, 2);
    gm->addWidget(new QLabel(QStringLiteral("Neto:"), montos), r, 3);
    gm->addWidget(neto, r, 5);
    if (L.clase().pagoContado && !consulta_) {
        // The cash voucher waiting for the save.
        QLabel* contado = nombre(QStringLiteral("egresoContado"));
        contado->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #006000; }"));
        gm->addWidget(contado, ++r, 0, 1, 6);
    }
    gm->setColumnMinimumWidth(2, 110);
    gm->setColumnMinimumWidth(3, 110);

    // ---- accounts and cost centre
    auto* cuentas = new QGroupBox(QStringLiteral("Contabilidad"), this);
    auto* gc = new QGridLayout(cuentas);
    gc->setVerticalSpacing(2);
    auto cuenta = [&](int fila, int columna, const QString& titulo, const QString& campo) {
        QLineEdit* e = linea(campo, c, 110);
        auto abrir = [this, campo](const QString& filtro) {
            manejador_.proteger([this, campo, filtro] { logica_->buscarCuenta(campo, filtro); });
        };
        teclado_->busqueda(e, abrir);
        e->installEventFilter(new DobleClic(e, [abrir] { abrir(QString()); }));
        gc->addWidget(new QLabel(titulo, cuentas), fila, columna);
        gc->addWidget(e, fila, columna + 1);
    };
    gc->addWidget(new QLabel(QStringLiteral("Dec.2649"), cuentas), 0, 1);
    gc->addWidget(new QLabel(QStringLiteral("NIIF"), cuentas), 0, 3);
    cuenta(1, 0, QStringLiteral("Cta. por pagar:"), L.c("CTAPAGAR"));
    cuenta(1, 2, QString(), L.c("CTAPAGARN"));
    cuenta(2, 0, QStringLiteral("Cta. causación:"), L.c("CTACAUSA"));
    cuenta(2, 2, QString(), L.c("CTACAUSAN"));
    QLineEdit* proy = linea(L.c("PROY"), c, 50);
    QLineEdit* centro = linea(L.c("CENTRO"), c, 50);
    for (QLineEdit* e : {proy, centro}) {
        teclado_->busqueda(e, [this](const QString&) { logica_->buscarCentro(); });
        e->installEventFilter(new DobleClic(e, [this] { manejador_.proteger([this] { logica_->buscarCentro(); }); }));
    }
    gc->addWidget(new QLabel(QStringLiteral("Centro costos:"), cuentas), 3, 0);
    auto* hc = new QHBoxLayout;
    hc->addWidget(proy);
    hc->addWidget(nombre(QStringLiteral("nombreCentro")), 1);
    gc->addLayout(hc, 3, 1, 1, 2);
    gc->addWidget(new QLabel(QStringLiteral("Subcentro:"), cuentas), 4, 0);
    auto* hs = new QHBoxLayout;
    hs->addWidget(centro);
    hs->addWidget(nombre(QStringLiteral("nombreSubcentro")), 1);
    gc->addLayout(hs, 4, 1, 1, 2);
    auto* tipoCosto = new QComboBox(cuentas);
    tipoCosto->setObjectName(L.c("TIPOCOSTO"));
    enlaces_->enlazar(tipoCosto, c, L.c("TIPOCOSTO"),
                      {{QStringLiteral("C"), QStringLiteral("2649")},
                       {QStringLiteral("N"), QStringLiteral("NIIF")},
                       {QStringLiteral("A"), QStringLiteral("Ambos")}});
    gc->addWidget(new QLabel(QStringLiteral("Costo a:"), cuentas), 3, 3);
    gc->addWidget(tipoCosto, 4, 3);

    auto* observaciones = new QPlainTextEdit(this);
    observaciones->setObjectName(L.c("OBS"));
    observaciones->setMaximumHeight(48);
    observaciones->setTabChangesFocus(true);
    enlaces_->enlazar(observaciones, c, L.c("OBS"));

    // ---- VAT bases panel
    bases_ = new QFrame(this);
    bases_->setObjectName(QStringLiteral("panelBases"));
    bases_->setFrameShape(QFrame::StyledPanel);
    auto* gb = new QGridLayout(bases_);
    gb->addWidget(new QLabel(QStringLiteral("<b>Bases de IVA</b>"), bases_), 0, 0, 1, 4);
    gb->addWidget(new QLabel(QStringLiteral("Base exenta:"), bases_), 1, 0);
    gb->addWidget(linea(L.c("BASE0"), c, 110), 1, 1);
    for (int i = 1; i <= 3; ++i) {
        gb->addWidget(new QLabel(QStringLiteral("Base gravada %1:").arg(i), bases_), i + 1, 0);
        gb->addWidget(linea(L.base(i), c, 110), i + 1, 1);
        gb->addWidget(new QLabel(QStringLiteral("IVA:"), bases_), i + 1, 2);
        gb->addWidget(linea(L.iva(i), c, 110), i + 1, 3);
    }
    gb->addWidget(new QLabel(QStringLiteral("Impuesto Nal Consumo:"), bases_), 5, 0);
    gb->addWidget(linea(L.c("INALCM"), c, 110), 5, 1);
    auto* baseRtfte = new QLineEdit(bases_);  // the same field as the amounts', typed here
    baseRtfte->setObjectName(QStringLiteral("baseRtfteBases"));
    baseRtfte->setMaximumWidth(110);
    enlaces_->enlazar(baseRtfte, c, L.c("BASERTFTE"));
    gb->addWidget(new QLabel(QStringLiteral("Base ret. fuente:"), bases_), 1, 2);
    gb->addWidget(baseRtfte, 1, 3);
    auto* continua = new QPushButton(QStringLiteral("F5:Continua"), bases_);
    continua->setFocusPolicy(Qt::NoFocus);
    connect(continua, &QPushButton::clicked, this, [this] { manejador_.proteger([this] { alternarBases(); }); });
    gb->addWidget(continua, 5, 3);
    bases_->hide();

    // ---- article lines panel
    lineas_ = new QFrame(this);
    lineas_->setObjectName(QStringLiteral("panelLineas"));
    lineas_->setFrameShape(QFrame::StyledPanel);
    auto* vl = new QVBoxLayout(lineas_);
    rejillaLineas_ = new Rejilla(logica_->lineas(), lineas_);
    rejillaLineas_->setInteraccion(&interaccion);
    vl->addWidget(rejillaLineas_, 1);
    auto* hl = new QHBoxLayout;
    totalLineas_ = nombre(QStringLiteral("totalLineas"));
    for (const auto& [texto, accion] :
         std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"F2:Continuar", [this] { confirmarEdicion(rejillaLineas_->vista()); logica_->continuarLineas(); lineas_->hide(); }},
             {"Esc:Salir", [this] { logica_->cerrarLineas(); lineas_->hide(); }}}) {
        auto* b = new QPushButton(QString::fromUtf8(texto), lineas_);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, accion] { manejador_.proteger(accion); refrescar(); });
        hl->addWidget(b);
    }
    if (!consulta_) {
        // "F7:Trae doc": the lines of another document.
        auto* clase = new QComboBox(lineas_);
        clase->setObjectName(QStringLiteral("claseDocumento"));
        clase->addItems(DocumentoAjuste::clasesDocumento());
        auto* prefijoDoc = new QLineEdit(lineas_);
        prefijoDoc->setObjectName(QStringLiteral("prefijoDocumento"));
        prefijoDoc->setMaxLength(4);
        prefijoDoc->setMaximumWidth(50);
        auto* numeroDoc = new QLineEdit(lineas_);
        numeroDoc->setObjectName(QStringLiteral("numeroDocumento"));
        numeroDoc->setMaxLength(8);
        numeroDoc->setMaximumWidth(80);
        auto traer = [this, clase, prefijoDoc, numeroDoc] {
            confirmarEdicion(rejillaLineas_->vista());
            logica_->traerDocumento(clase->currentIndex(), prefijoDoc->text(), numeroDoc->text());
            refrescar();
        };
        auto* boton = new QPushButton(QStringLiteral("F7:Trae doc"), lineas_);
        boton->setFocusPolicy(Qt::NoFocus);
        connect(boton, &QPushButton::clicked, this, [this, traer] { manejador_.proteger(traer); });
        teclado_->asignarEn(lineas_, Qt::Key_F7, traer);
        hl->addSpacing(12);
        hl->addWidget(new QLabel(QStringLiteral("Tipo:"), lineas_));
        hl->addWidget(clase);
        hl->addWidget(new QLabel(QStringLiteral("Número:"), lineas_));
        hl->addWidget(prefijoDoc);
        hl->addWidget(numeroDoc);
        hl->addWidget(boton);
    }
    hl->addStretch();
    hl->addWidget(new QLabel(QStringLiteral("Total artículos:"), lineas_));
    hl->addWidget(totalLineas_);
    vl->addLayout(hl);
    lineas_->hide();
    teclado_->asignarEn(rejillaLineas_->vista(), Qt::Key_Insert, [this] {
        if (confirmarEdicion(rejillaLineas_->vista())) logica_->agregarLinea();
    });

    auto* marco = new QVBoxLayout(this);
    marco->setContentsMargins(4, 4, 4, 4);
    marco->setSpacing(4);
    marco->addWidget(panel);
    // The body scrolls rather than squash its fields when the window is
    // smaller than what it shows; the panels open below the amounts.
    auto* cuerpo = new QWidget(this);
    cuerpo->setObjectName(QStringLiteral("cuerpo"));
    desplazable_ = new QScrollArea(this);
    desplazable_->setObjectName(QStringLiteral("desplazable"));
    desplazable_->setFrameShape(QFrame::NoFrame);
    desplazable_->setWidgetResizable(true);
    desplazable_->setWidget(cuerpo);
    marco->addWidget(desplazable_, 1);
    auto* todo = new QVBoxLayout(cuerpo);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(4);
    if (consulta_) {
        auto* anulado = nombre(QStringLiteral("anulado"));
        anulado->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
        anulado->setWordWrap(true);
        todo->addWidget(anulado);
    }
    todo->addLayout(cabecera);
    todo->addWidget(montos);
    todo->addWidget(bases_);
    todo->addWidget(cuentas);
    auto* obs = new QHBoxLayout;
    obs->addWidget(new QLabel(QStringLiteral("Observaciones:"), this));
    obs->addWidget(observaciones, 1);
    todo->addLayout(obs);
    todo->addWidget(lineas_, 1);
    todo->addStretch();
    if (consulta_) {
        auto* otros = new QHBoxLayout;
        otros->addWidget(nombre(QStringLiteral("registro")), 1);
        otros->addWidget(nombre(QStringLiteral("aplicado")));
        todo->addLayout(otros);
    }

    teclado_->asignar(Qt::Key_Escape, [this] { escape(); });
    teclado_->asignar(Qt::Key_F5, [this] { alternarBases(); });
    if (consulta_) {
        teclado_->asignar(Qt::Key_F2, [this] { consulta_->imprimir(); });
        teclado_->asignar(Qt::Key_F11, [this] { consulta_->contabilidad(); });
        teclado_->asignar(Qt::Key_F12, [this] { consulta_->notas(); });
    } else {
        teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
        teclado_->asignar(Qt::Key_F6, [this] { logica_->buscarAcreedor(); });
        if (L.clase().pagoContado) {
            teclado_->asignar(Qt::Key_F4, [this] { pagarDeContado(); });
            teclado_->asignar(Qt::Key_F8, [this] { interaccion_.abrirPantalla(QStringLiteral("Tfbuscanotdebito")); });
        }
        teclado_->busqueda(nit, [this](const QString&) { logica_->buscarAcreedor(); });
    }

    connect(logica_.get(), &DocumentoAjuste::montosCambiados, this, &TfnotasdebitoVista::refrescar);
    connect(logica_.get(), &DocumentoAjuste::reiniciado, this, [this, numero] {
        numero->setReadOnly(logica_->numeroAutomatico());
        enlaces_->refrescar();
        refrescar();
    });
    connect(logica_.get(), &DocumentoAjuste::cerrar, this, [this] {
        BusquedaBase::cerrarPantalla(this);
    });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) {
            if (campo == QLatin1String("SubTotal")) subTotal_->setFocus();
            else enlaces_->enfocar(campo);
        });
    setFocusProxy(numero);
    if (consulta_) soloLectura();
    refrescar();
}

// Nothing of a saved charge is typed over in its consult.
void TfnotasdebitoVista::soloLectura() {
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->setReadOnly(true);
    for (QDateEdit* e : findChildren<QDateEdit*>()) e->setReadOnly(true);
    for (QComboBox* c : findChildren<QComboBox*>()) c->setEnabled(false);
    for (QPlainTextEdit* e : findChildren<QPlainTextEdit*>()) e->setReadOnly(true);
    rejillaLineas_->setSoloLectura(true);
}

TfnotasdebitoVista::~TfnotasdebitoVista() = default;

QLineEdit* TfnotasdebitoVista::linea(const QString& campo, DataSet& ds, int ancho) {
    QLineEdit* e = enlaces_->linea(this, ds, campo, ancho);
    editores_.insert(campo, e);
    return e;
}

QLabel* TfnotasdebitoVista::nombre(const QString& objeto) {
    auto* l = new QLabel(this);
    l->setObjectName(objeto);
    l->setMinimumWidth(80);
    return l;
}

// The gross amount is no field of the charge: it goes to the logic itself.
bool TfnotasdebitoVista::confirmarSubTotal() {
    const QString texto = subTotal_->text().trimmed();
    bool ambiguo = false;
    const auto v = texto.isEmpty() ? std::optional<Dinero>(Dinero()) : Dinero::desdeTextoTecleado(texto, &ambiguo);
    if (!v) {
        interaccion_.error(QStringLiteral("\"") + texto + QStringLiteral("\" no es un valor válido."));
        subTotal_->setText(importe(logica_->subTotal()));
        return false;
    }
    if (*v == logica_->subTotal()) return true;
    if (ambiguo) interaccion_.advertencia(Enlaces::avisoAmbiguo(texto, *v));
    return manejador_.proteger([this, v] { logica_->setSubTotal(*v); });
}

bool TfnotasdebitoVista::confirmar() { return enlaces_->confirmar() && confirmarSubTotal(); }

QLabel* TfnotasdebitoVista::etiqueta(const QString& nombre) const { return findChild<QLabel*>(nombre); }

void TfnotasdebitoVista::refrescar() {
    if (!subTotal_->hasFocus()) subTotal_->setText(importe(logica_->subTotal()));
    auto pon = [this](const char* nombre, const QString& texto) {
        if (QLabel* l = etiqueta(QString::fromLatin1(nombre))) l->setText(texto);
    };
    pon("totalconiva", importe(logica_->totalConIva()));
    pon("total", importe(logica_->neto()));
    pon("nombreAcreedor", logica_->nombreAcreedor());
    pon("nombreCentro", logica_->nombreCentro());
    pon("nombreSubcentro", logica_->nombreSubcentro());
    pon("nombreMandante", logica_->nombreMandante());
    pon("totalLineas", importe(logica_->totalLineas()));
    if (!consulta_) {
        pon("factura", logica_->factura());
        pon("cruce", logica_->cruce());
        if (QLabel* l = etiqueta(QStringLiteral("egresoContado"))) {
            EgresoContado* e = logica_->egresoContado();
            const bool pendiente = logica_->egresoPendiente();
            l->setText(pendiente ? QStringLiteral("Pago de contado: egreso ") +
                                       e->egreso().asString(QStringLiteral("PREF_PRE")).trimmed() +
                                       QStringLiteral(" por ") + importe(e->monto())
                                 : QString());
            l->setVisible(pendiente);
        }
        // A prefix switched to or from automatic numbering.
        if (QLineEdit* numero = editores_.value(logica_->c("NUMERO")))
            numero->setReadOnly(logica_->numeroAutomatico() || logica_->grabado());
    }
    if (consulta_) {
        pon("registro", consulta_->registro());
        pon("anulado", consulta_->anulado() ? QStringLiteral("ANULADO. ") + consulta_->razon() : QString());
        pon("factura", consulta_->factura());
        pon("aplicado", consulta_->aplicado().isEmpty() ? QString() : QStringLiteral("Aplicado a: ") + consulta_->aplicado());
        if (QLabel* l = etiqueta(QStringLiteral("anulado"))) l->setVisible(consulta_->anulado());
    }
    if (!dias_->hasFocus()) dias_->setText(QString::number(logica_->diasVence()));
}

// The payment forms dialog: the voucher's prefix and number, the amount to
// pay, and the cash panel of the means of payment (the voucher's own).
void TfnotasdebitoVista::pagarDeContado() {
    if (dialogoEgreso_ || !confirmar() || !logica_->pagarDeContado()) return;
    EgresoContado& e = *logica_->egresoContado();
    auto* dialogo = new QDialog(this);
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    dialogo->setObjectName(QStringLiteral("dialogoEgreso"));
    dialogo->setWindowTitle(QStringLiteral("Egreso de contado"));
    dialogoEgreso_ = dialogo;
    auto* enlaces = new Enlaces(interaccion_, dialogo);
    enlaces->setManejadorErrores([this](const std::exception& ex) { manejador_.ENoManejada(ex); });
    auto* prefijo = new QComboBox(dialogo);
    prefijo->setObjectName(QStringLiteral("PREF_PRE"));
    Enlaces::Claves prefijos;
    for (const OpcionBusqueda& o : e.prefijos()) prefijos.append({o.clave, o.nombre});
    enlaces->enlazar(prefijo, e.egreso(), QStringLiteral("PREF_PRE"), prefijos);
    QLineEdit* numero = enlaces->linea(dialogo, e.egreso(), QStringLiteral("EGRE_NUMERO"), 80);
    numero->setReadOnly(true);
    auto* monto = new QLabel(importe(e.monto()), dialogo);
    monto->setObjectName(QStringLiteral("montoPagar"));
    monto->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(new QLabel(QStringLiteral("Prefijo:"), dialogo));
    cabecera->addWidget(prefijo);
    cabecera->addWidget(new QLabel(QStringLiteral("Número:"), dialogo));
    cabecera->addWidget(numero);
    cabecera->addStretch();
    cabecera->addWidget(new QLabel(QStringLiteral("Monto a pagar:"), dialogo));
    cabecera->addWidget(monto);
    if (e.numeroIgualAlCargo())
        numero->setToolTip(QStringLiteral("El egreso tomará el número del cargo al grabarse."));

    EgresoContado* pe = &e;
    auto aceptar = [this, dialogo, pe] {
        auto* medios = dialogo->findChild<MediosPagoVista*>();
        if (medios && !medios->confirmar()) return;
        if (logica_->aceptarEgreso()) dialogo->accept();
        else if (pe->egreso().isEmpty()) dialogo->reject();  // refused: the voucher was dropped
    };
    auto salir = [this, dialogo] {
        logica_->cancelarEgreso();
        dialogo->reject();
    };
    MediosPagoVista::Comandos comandos;
    comandos.continuarCaja = [this, aceptar] { manejador_.proteger(aceptar); };
    comandos.salirCaja = salir;
    auto* medios = new MediosPagoVista(e.formasPago(), e.caja(), e.banco(), interaccion_, manejador_, comandos, dialogo);
    medios->rejillaCaja()->setAnchoColumna(QStringLiteral("EGCA_MONTO"), 16);
    auto* teclado = new Teclado(dialogo);
    teclado->setEjecutor([this](const Teclado::Comando& c) { manejador_.proteger(c); });
    medios->asignarTeclas(*teclado);
    teclado->asignar(Qt::Key_F2, [this, aceptar] { manejador_.proteger(aceptar); });
    teclado->asignar(Qt::Key_Escape, salir);
    connect(dialogo, &QDialog::rejected, this, [this] {
        if (logica_->egresoContado() && !logica_->egresoPendiente()) logica_->cancelarEgreso();
    });
    connect(dialogo, &QDialog::finished, this, [this] { refrescar(); });

    auto* todo = new QVBoxLayout(dialogo);
    todo->addLayout(cabecera);
    todo->addWidget(medios, 1);
    dialogo->resize(720, 300);
    dialogo->open();
    medios->enfocar();
}

void TfnotasdebitoVista::grabar() {
    if (lineas_->isVisible()) {
        confirmarEdicion(rejillaLineas_->vista());
        logica_->continuarLineas();
        lineas_->hide();
        refrescar();
        return;
    }
    if (logica_->basesAbiertas()) bases_->hide();
    logica_->grabar();
    refrescar();
}

void TfnotasdebitoVista::escape() {
    if (consulta_) {
        if (lineas_->isVisible()) lineas_->hide();
        else BusquedaBase::cerrarPantalla(this);
        return;
    }
    if (lineas_->isVisible()) {
        logica_->cerrarLineas();
        lineas_->hide();
        refrescar();
        return;
    }
    logica_->cancelar();
}

void TfnotasdebitoVista::alternarBases() {
    if (consulta_) {  // only shows the saved bases
        bases_->setVisible(!bases_->isVisible());
        ajustarTamano();
        return;
    }
    if (logica_->basesAbiertas()) {
        logica_->continuarBases();
        bases_->hide();
        subTotal_->setFocus();
    } else {
        logica_->abrirBases();
        bases_->show();
        if (QLineEdit* e = editor(logica_->c("BASE0"))) e->setFocus();
    }
    refrescar();
    ajustarTamano();
    if (bases_->isVisible()) desplazable_->ensureWidgetVisible(bases_, 0, 0);
}

void TfnotasdebitoVista::ajustarTamano() {
    // The window grows to what it shows, as far as the area allows; the
    // rest scrolls.
    if (QLayout* l = desplazable_->widget()->layout()) l->activate();
    if (layout()) layout()->activate();
    const QSize falta = desplazable_->widget()->minimumSizeHint() - desplazable_->viewport()->size();
    if (falta.width() <= 0 && falta.height() <= 0) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    QWidget* ventana = sub ? static_cast<QWidget*>(sub) : (isWindow() ? this : nullptr);
    if (!ventana) return;
    QSize nuevo = ventana->size() + falta.expandedTo(QSize(0, 0));
    if (sub && sub->mdiArea()) {
        const QRect area = sub->mdiArea()->viewport()->rect();
        nuevo = nuevo.boundedTo(area.size());
        ventana->resize(nuevo);
        // Moved back inside the area when it grew past its edge.
        sub->move(std::clamp(sub->x(), 0, std::max(0, area.width() - nuevo.width())),
                  std::clamp(sub->y(), 0, std::max(0, area.height() - nuevo.height())));
    } else {
        ventana->resize(nuevo);
    }
}

void TfnotasdebitoVista::abrirLineas() {
    if (!consulta_) logica_->abrirLineas();
    lineas_->show();
    rejillaLineas_->vista()->setFocus();
    refrescar();
    ajustarTamano();
    desplazable_->ensureWidgetVisible(lineas_, 0, 0);
}

void TfnotasdebitoVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    centrarEnArea(this, QSize(760, 600));
}

}  // namespace cxp
