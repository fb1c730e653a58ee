#include "printing/formatos/TFmoverformaVista.h"

#include "data/ManejadorErrores.h"
#include "ui/PanelBotones.h"
#include "ui/Teclado.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace cxp {

TFmoverformaVista::TFmoverformaVista(std::unique_ptr<TFmoverforma> logica, ManejadorErrores& manejador,
                                     const Sesion& sesion, QWidget* padre)
    : QDialog(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("TFmoverforma"));
    setWindowTitle(QStringLiteral("Mover Formato"));
    TFmoverforma* l = logica_.get();

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Grabar"), [this, &manejador] { manejador.proteger([this] { grabar(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Cancelar"), [l] { l->cancelar(); });

    // Positions and the vertical range: whole numbers on the page's grid.
    const auto campo = [this](const char* nombre, int maximo) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(nombre));
        e->setValidator(new QIntValidator(0, maximo, e));
        e->setMaxLength(4);
        e->setAlignment(Qt::AlignRight);
        e->setMaximumWidth(80);
        return e;
    };
    posiciones_ = campo("posiciones", 2000);
    desde_ = campo("desde", 2000);
    hasta_ = campo("hasta", 2000);
    connect(posiciones_, &QLineEdit::textEdited, l, &TFmoverforma::setPosiciones);
    connect(desde_, &QLineEdit::textEdited, l, &TFmoverforma::setDesde);
    connect(hasta_, &QLineEdit::textEdited, l, &TFmoverforma::setHasta);
    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Numero de posiciones:"), posiciones_);
    campos->addRow(QStringLiteral("Empezando en:"), desde_);
    campos->addRow(QStringLiteral("Terminando en:"), hasta_);

    auto* grupo = new QGroupBox(this);
    auto* botones = new QButtonGroup(this);
    auto* columnas = new QVBoxLayout(grupo);
    for (int i = 0; i < TFmoverforma::opciones().size(); ++i) {
        auto* r = new QRadioButton(TFmoverforma::opciones()[i].titulo, grupo);
        r->setObjectName(QStringLiteral("opcion%1").arg(i));
        botones->addButton(r, i);
        columnas->addWidget(r);
        opciones_ << r;
    }
    connect(botones, &QButtonGroup::idClicked, l, &TFmoverforma::setOpcion);
    connect(l, &TFmoverforma::camposCambiaron, this, [this] { mostrarCampos(); });
    connect(l, &TFmoverforma::cerrar, this, [this](bool movido) {
        movido_ = movido;
        movido ? accept() : reject();
    });

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 8);
    todo->addWidget(panel);
    auto* cuerpo = new QVBoxLayout;
    cuerpo->setContentsMargins(8, 4, 8, 0);
    cuerpo->addLayout(campos);
    cuerpo->addWidget(grupo);
    todo->addLayout(cuerpo);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_Escape, [l] { l->cancelar(); });
    mostrarCampos();
    posiciones_->setFocus();
}

TFmoverformaVista::~TFmoverformaVista() = default;

void TFmoverformaVista::mostrarCampos() {
    const bool habilitados = logica_->camposHabilitados();
    for (QLineEdit* e : {posiciones_, desde_, hasta_}) e->setEnabled(habilitados);
    posiciones_->setText(logica_->posiciones());
    desde_->setText(logica_->desde());
    hasta_->setText(logica_->hasta());
    opciones_[logica_->opcion()]->setChecked(true);
}

void TFmoverformaVista::grabar() {
    // What is being typed counts, though the field was not left.
    logica_->setPosiciones(posiciones_->text());
    logica_->setDesde(desde_->text());
    logica_->setHasta(hasta_->text());
    logica_->grabar();
}

bool moverFormato(int tipo, const QString& prefijo, Sesion& sesion, ManejadorErrores& manejador, QWidget* padre) {
    TFmoverformaVista dialogo(std::make_unique<TFmoverforma>(tipo, prefijo, sesion, manejador), manejador, sesion,
                              padre);
    dialogo.exec();
    return dialogo.movido();
}

}  // namespace cxp
