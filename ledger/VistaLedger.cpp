#include "ledger/VistaLedger.h"

#include "base/Dinero.h"
#include "data/Sesion.h"
#include "ledger/PantallaLedger.h"
#include "ui/Rejilla.h"
#include "ui/BusquedaBase.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <optional>

namespace cxp {

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
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                     [combo, &pantalla, cambio = std::move(cambio)](int) {
                         cambio(combo->currentData().toInt());
                         // A currency the screen refused (no rate) goes back
                         // to the one its amounts are in.
                         const int i = combo->findData(pantalla.moneda());
                         if (pantalla.moneda() != combo->currentData().toInt() && i >= 0) {
                             const QSignalBlocker b(combo);
                             combo->setCurrentIndex(i);
                         }
                     });
    return combo;
}

void cerrarPantalla(QWidget* vista) { BusquedaBase::cerrarPantalla(vista); }

QString textoDinero(const Dinero& valor) { return valor.texto(2); }

}  // namespace cxp
