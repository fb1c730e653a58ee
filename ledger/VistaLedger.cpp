#include "ledger/VistaLedger.h"

#include "base/Dinero.h"
#include "data/Sesion.h"
#include "ledger/PantallaLedger.h"
#include "ui/Rejilla.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <optional>

namespace cxp {

namespace {
// A colour kept as a decimal integer in the platform encoding (red in the
// lowest byte); nothing when the text is no number.
std::optional<QColor> colorDeTexto(const QString& texto) {
    bool ok = false;
    const qlonglong c = texto.trimmed().toLongLong(&ok);
    if (!ok || c < 0) return std::nullopt;
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
}  // namespace

QFrame* panelBotones(QWidget* padre, const Sesion& sesion) {
    auto* panel = new QFrame(padre);
    panel->setObjectName(QStringLiteral("panelBotones"));
    panel->setFrameShape(QFrame::StyledPanel);
    const QColor base = colorDeTexto(sesion.color_final_ventana).value_or(QColor(0xa6, 0xca, 0xf0));
    const QColor fin = colorDeTexto(sesion.color_ventana).value_or(QColor(Qt::white));
    panel->setStyleSheet(QStringLiteral("QFrame#panelBotones { border: 1px solid palette(mid); border-radius: 2px; "
                                        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }")
                             .arg(fin.name(), base.name()));
    auto* fila = new QHBoxLayout(panel);
    fila->setContentsMargins(6, 4, 6, 4);
    fila->setSpacing(6);
    return panel;
}

QPushButton* botonDePanel(QFrame* panel, const QString& texto, std::function<void()> comando) {
    auto* b = new QPushButton(texto, panel);
    b->setFocusPolicy(Qt::NoFocus);
    QObject::connect(b, &QPushButton::clicked, panel, [comando = std::move(comando)] { comando(); });
    if (auto* fila = qobject_cast<QHBoxLayout*>(panel->layout())) fila->addWidget(b);
    return b;
}

void finPanel(QFrame* panel) {
    if (auto* fila = qobject_cast<QHBoxLayout*>(panel->layout())) fila->addStretch();
}

void ordenarColumnas(Rejilla* rejilla, const QStringList& campos) {
    DataSetModel* m = rejilla->modelo();
    if (!m) return;
    QHeaderView* h = rejilla->vista()->horizontalHeader();
    int destino = 0;
    for (const QString& c : campos) {
        const int logica = m->columnOf(c);
        if (logica < 0) continue;
        const int visual = h->visualIndex(logica);
        if (visual != destino) h->moveSection(visual, destino);
        ++destino;
    }
}

void mantenerOrden(Rejilla* rejilla, const QStringList& campos) {
    ordenarColumnas(rejilla, campos);
    if (DataSetModel* m = rejilla->modelo()) {
        QObject::connect(m, &QAbstractItemModel::modelReset, rejilla, [rejilla, campos] { ordenarColumnas(rejilla, campos); });
        QObject::connect(m, &QAbstractItemModel::headerDataChanged, rejilla,
                         [rejilla, campos] { ordenarColumnas(rejilla, campos); });
    }
}

QComboBox* comboMoneda(QWidget* padre, QLabel* etiqueta, const PantallaLedger& pantalla,
                       std::function<void(int)> cambio) {
    auto* combo = new QComboBox(padre);
    combo->setObjectName(QStringLiteral("moneda"));
    for (const OpcionMoneda& m : pantalla.monedas()) combo->addItem(m.nombre, m.codigo);
    const int i = combo->findData(pantalla.moneda());
    if (i >= 0) combo->setCurrentIndex(i);
    combo->setVisible(pantalla.monedaVisible());
    etiqueta->setVisible(pantalla.monedaVisible());
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo, cambio = std::move(cambio)](int) {
        cambio(combo->currentData().toInt());
    });
    return combo;
}

void cerrarPantalla(QWidget* vista) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(vista->parentWidget())) sub->close();
    else if (auto* d = qobject_cast<QDialog*>(vista->parentWidget())) d->reject();
    else vista->close();
}

QString textoDinero(const Dinero& valor) { return valor.texto(2); }

}  // namespace cxp
