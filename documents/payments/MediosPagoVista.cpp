#include "documents/payments/MediosPagoVista.h"

#include "comunes/Presentacion.h"
#include "data/DataSet.h"
#include "data/ManejadorErrores.h"
#include "documents/payments/FormasPago.h"
#include "ui/Enlaces.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {

// A code column shown by its name and chosen from the names (cash boxes,
// forms of payment); the cell keeps the code.
class DelegadoClave : public QStyledItemDelegate {
public:
    DelegadoClave(std::function<const QList<OpcionBusqueda>&()> lista, QObject* padre)
        : QStyledItemDelegate(padre), lista_(std::move(lista)) {}

    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& i) const override {
        QStyledItemDelegate::initStyleOption(opcion, i);
        opcion->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;  // a name, not a number
    }
    QString displayText(const QVariant& valor, const QLocale& local) const override {
        const QString clave = valor.toString().trimmed();
        for (const OpcionBusqueda& o : lista_())
            if (o.clave == clave) return o.nombre;
        return QStyledItemDelegate::displayText(valor, local);
    }
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* c = new QComboBox(padre);
        for (const OpcionBusqueda& o : lista_()) c->addItem(o.nombre, o.clave);
        return c;
    }
    void setEditorData(QWidget* editor, const QModelIndex& i) const override {
        auto* c = static_cast<QComboBox*>(editor);
        c->setCurrentIndex(std::max(0, c->findData(i.data(Qt::EditRole).toString().trimmed())));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& i) const override {
        modelo->setData(i, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
    }

private:
    std::function<const QList<OpcionBusqueda>&()> lista_;
};

class DobleClicRejilla : public QObject {
public:
    DobleClicRejilla(QWidget* w, std::function<void()> f) : QObject(w), f_(std::move(f)) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        f_();
        return true;
    }

private:
    std::function<void()> f_;
};

QPushButton* boton(QWidget* padre, const QString& texto, std::function<void()> f, ManejadorErrores& m) {
    auto* b = new QPushButton(texto, padre);
    b->setFocusPolicy(Qt::NoFocus);
    QObject::connect(b, &QPushButton::clicked, padre, [f = std::move(f), &m] { m.proteger(f); });
    return b;
}

}  // namespace

MediosPagoVista::MediosPagoVista(FormasPago& formas, DataSet& caja, DataSet& banco, Interaccion& interaccion,
                                 ManejadorErrores& manejador, Comandos comandos, QWidget* padre)
    : QWidget(padre), formas_(formas), cajaDs_(caja), bancoDs_(banco), manejador_(manejador),
      comandos_(std::move(comandos)) {
    setObjectName(QStringLiteral("mediosPago"));
    FormasPago* f = &formas_;
    if (!comandos_.continuarCaja) comandos_.continuarCaja = [f] { f->continuarCaja(); };
    if (!comandos_.salirCaja) comandos_.salirCaja = [f] { f->salirCaja(); };
    if (!comandos_.continuarBanco) comandos_.continuarBanco = [f] { f->continuarBanco(); };
    if (!comandos_.salirBanco) comandos_.salirBanco = [f] { f->salirBanco(); };
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });

    // ---- cash
    caja_ = new QFrame(this);
    caja_->setObjectName(QStringLiteral("panelCaja"));
    caja_->setFrameShape(QFrame::StyledPanel);
    auto* vc = new QVBoxLayout(caja_);
    vc->setContentsMargins(4, 4, 4, 4);
    vc->addWidget(new QLabel(QStringLiteral("<b>Pago de caja</b>"), caja_));
    rejillaCaja_ = new Rejilla(caja, caja_);
    rejillaCaja_->setObjectName(QStringLiteral("rejillaCaja"));
    rejillaCaja_->setInteraccion(&interaccion);
    QTableView* vista = rejillaCaja_->vista();
    const std::pair<const char*, const char*> titulos[] = {
        {"CAJA_ID", "Caja"},     {"FOPA_ID", "Forma de pago"}, {"EGCA_BANCO", "Banco"}, {"EGCA_CUENTA", "Cuenta"},
        {"EGCA_NUMERO", "Número"}, {"EGCA_FECHA", "Fecha"},      {"EGCA_MONTO", "Monto"}};
    if (caja.isOpen()) {
        for (int i = 0; i < caja.fieldCount(); ++i) caja.field(i).setVisible(false);
        for (const auto& [c, t] : titulos) {
            const QString campo = QString::fromLatin1(c);
            if (caja.fieldIndex(campo) < 0) continue;
            caja.field(campo).setVisible(true);
            caja.field(campo).setLabel(QString::fromUtf8(t));
        }
        if (int col = rejillaCaja_->modelo()->columnOf(QStringLiteral("CAJA_ID")); col >= 0)
            vista->setItemDelegateForColumn(col, new DelegadoClave([f]() -> const QList<OpcionBusqueda>& { return f->cajas(); }, vista));
        if (int col = rejillaCaja_->modelo()->columnOf(QStringLiteral("FOPA_ID")); col >= 0)
            vista->setItemDelegateForColumn(col, new DelegadoClave([f]() -> const QList<OpcionBusqueda>& { return f->formas(); }, vista));
        rejillaCaja_->setAnchoColumna(QStringLiteral("CAJA_ID"), 20);
        rejillaCaja_->setAnchoColumna(QStringLiteral("FOPA_ID"), 18);
        rejillaCaja_->setAnchoColumna(QStringLiteral("EGCA_CUENTA"), 12);
        rejillaCaja_->setAnchoColumna(QStringLiteral("EGCA_NUMERO"), 12);
        rejillaCaja_->setAnchoColumna(QStringLiteral("EGCA_MONTO"), 12);
    }
    new DobleClicRejilla(vista->viewport(), [this] {
        manejador_.proteger([this] {
            confirmarEdicion(rejillaCaja_->vista());
            formas_.documentosEnCaja();
        });
        refrescar();
    });
    vc->addWidget(rejillaCaja_, 1);
    auto* hc = new QHBoxLayout;
    hc->addWidget(boton(caja_, QStringLiteral("F2:Continuar"), [this] { if (confirmar()) comandos_.continuarCaja(); }, manejador));
    hc->addWidget(boton(caja_, QStringLiteral("Esc:Salir"), [this] { comandos_.salirCaja(); }, manejador));
    hc->addWidget(new QLabel(QStringLiteral("Ins: nuevo item · doble clic: documentos en caja"), caja_));
    hc->addStretch();
    hc->addWidget(new QLabel(QStringLiteral("Total caja:"), caja_));
    totalCaja_ = new QLabel(caja_);
    totalCaja_->setObjectName(QStringLiteral("totalItemsCaja"));
    totalCaja_->setMinimumWidth(110);
    totalCaja_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    hc->addWidget(totalCaja_);
    vc->addLayout(hc);

    // ---- bank
    banco_ = new QFrame(this);
    banco_->setObjectName(QStringLiteral("panelBanco"));
    banco_->setFrameShape(QFrame::StyledPanel);
    auto* gb = new QGridLayout(banco_);
    gb->setContentsMargins(6, 4, 6, 4);
    gb->setVerticalSpacing(3);
    gb->addWidget(new QLabel(QStringLiteral("<b>Pago del Banco</b>"), banco_), 0, 0, 1, 4);
    gb->setRowStretch(0, 0);
    cuenta_ = new QComboBox(banco_);
    cuenta_->setObjectName(QStringLiteral("CUBA_COD"));
    Enlaces::Claves cuentas;
    for (const OpcionBusqueda& o : formas_.cuentas()) cuentas.append({o.clave, o.nombre});
    tipo_ = new QComboBox(banco_);
    tipo_->setObjectName(QStringLiteral("tipoBanco"));
    prefijo_ = new QComboBox(banco_);
    prefijo_->setObjectName(QStringLiteral("PRBA_PREF"));
    gmf_ = new QCheckBox(QStringLiteral("Causar GMF"), banco_);
    gmf_->setObjectName(QStringLiteral("EGBC_GMF"));
    if (banco.isOpen()) {
        enlaces_->enlazar(cuenta_, banco, QStringLiteral("CUBA_COD"), cuentas);
        numero_ = linea(QStringLiteral("EGBC_NUMERO"), banco, 90);
        auto* fecha = new QDateEdit(banco_);
        fecha->setObjectName(QStringLiteral("EGBC_FECHA"));
        fecha->setCalendarPopup(true);
        enlaces_->enlazar(fecha, banco, QStringLiteral("EGBC_FECHA"));
        enlaces_->enlazar(gmf_, banco, QStringLiteral("EGBC_GMF"));
        int r = 1;
        auto par = [&](const char* t1, QWidget* w1, const char* t2, QWidget* w2) {
            gb->addWidget(new QLabel(QString::fromUtf8(t1), banco_), r, 0);
            gb->addWidget(w1, r, 1);
            if (w2) {
                gb->addWidget(new QLabel(QString::fromUtf8(t2), banco_), r, 2);
                gb->addWidget(w2, r, 3);
            }
            ++r;
        };
        par("Cuenta:", cuenta_, "Tipo:", tipo_);
        par("Prefijo:", prefijo_, "Número:", numero_);
        par("Fecha:", fecha, "Monto:", linea(QStringLiteral("EGBC_MONTO"), banco, 120));
        par("Beneficiario:", linea(QStringLiteral("EGBC_BENEF"), banco, 0), "", gmf_);
        par("Concepto:", linea(QStringLiteral("EGBC_CONCEPTO"), banco, 0), "", nullptr);
        auto* hb = new QHBoxLayout;
        hb->addWidget(boton(banco_, QStringLiteral("F2:Continuar"), [this] { if (confirmar()) comandos_.continuarBanco(); }, manejador));
        hb->addWidget(boton(banco_, QStringLiteral("Esc:Salir"), [this] { comandos_.salirBanco(); }, manejador));
        hb->addStretch();
        gb->addLayout(hb, r, 0, 1, 4);
        gb->setRowStretch(r + 1, 1);
        gb->setColumnStretch(1, 1);
        gb->setColumnStretch(3, 1);
    }
    connect(tipo_, &QComboBox::activated, this, [this](int) {
        if (refrescando_) return;
        const QString t = tipo_->currentText();
        manejador_.proteger([this, t] { formas_.elegirTipo(t); });
        refrescar();
    });
    connect(prefijo_, &QComboBox::activated, this, [this](int) {
        if (refrescando_ || !bancoDs_.isOpen() || bancoDs_.isEmpty()) return;
        const QString p = prefijo_->currentText();
        manejador_.proteger([this, p] {
            if (bancoDs_.state() == DataSet::State::Browse) bancoDs_.edit();
            bancoDs_.setValue(QStringLiteral("PRBA_PREF"), fb::Value(p));
        });
        refrescar();
    });
    connect(&formas_, &FormasPago::cambiado, this, &MediosPagoVista::refrescar);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->addWidget(caja_);
    todo->addWidget(banco_);
    refrescar();
}

MediosPagoVista::~MediosPagoVista() = default;

QLineEdit* MediosPagoVista::linea(const QString& campo, DataSet& ds, int ancho) {
    auto* e = new QLineEdit(banco_);
    e->setObjectName(campo);
    if (ancho > 0) e->setFixedWidth(ancho);
    enlaces_->enlazar(e, ds, campo);
    return e;
}

void MediosPagoVista::asignarTeclas(Teclado& teclado) {
    teclado.asignarEn(rejillaCaja_->vista(), Qt::Key_Insert, [this] {
        if (confirmarEdicion(rejillaCaja_->vista())) formas_.agregarItemCaja();
    });
    teclado.asignarEn(rejillaCaja_->vista(), Qt::CTRL | Qt::Key_Delete, [this] {
        if (!cajaDs_.isEmpty()) cajaDs_.remove();
    });
}

bool MediosPagoVista::confirmar() {
    if (caja_->isVisible() && !confirmarEdicion(rejillaCaja_->vista())) return false;
    return enlaces_->confirmar();
}

void MediosPagoVista::refrescar() {
    refrescando_ = true;
    caja_->setVisible(formas_.cajaAbierta());
    banco_->setVisible(formas_.bancoAbierto());
    totalCaja_->setText(formas_.totalItemsCaja().texto(2));
    {
        const QSignalBlocker b1(tipo_), b2(prefijo_);
        tipo_->clear();
        tipo_->addItems(formas_.tipos());
        tipo_->setCurrentIndex(std::max(0, int(formas_.tipos().indexOf(formas_.tipoElegido()))));
        prefijo_->clear();
        for (const FormasPago::PrefijoBanco& p : formas_.prefijosBanco()) prefijo_->addItem(p.prefijo);
        if (bancoDs_.isOpen() && !bancoDs_.isEmpty())
            prefijo_->setCurrentIndex(prefijo_->findText(bancoDs_.asString(QStringLiteral("PRBA_PREF")).trimmed()));
    }
    // An automatic checkbook gives the number: it is shown, not typed.
    if (numero_) numero_->setReadOnly(formas_.numeroBancoAutomatico());
    refrescando_ = false;
}

void MediosPagoVista::enfocar() {
    if (formas_.cajaAbierta()) rejillaCaja_->vista()->setFocus();
    else if (formas_.bancoAbierto()) cuenta_->setFocus();
}

}  // namespace cxp
