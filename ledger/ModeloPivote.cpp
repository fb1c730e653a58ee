#include "ledger/ModeloPivote.h"


namespace cxp {

void ModeloPivote::setResultado(pivote::Resultado resultado) {
    beginResetModel();
    r_ = std::move(resultado);
    endResetModel();
}

int ModeloPivote::columnasEncabezado() const { return std::max(1, int(r_.diseno.filas.size())); }

int ModeloPivote::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(r_.filas.size());
}

int ModeloPivote::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || r_.filas.empty()) return 0;
    return columnasEncabezado() + int(r_.columnas.size()) * std::max<int>(1, int(r_.diseno.datos.size()));
}

QVariant ModeloPivote::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const pivote::Encabezado& fila = r_.filas.at(size_t(index.row()));
    const int ce = columnasEncabezado();
    const bool total = fila.tipo != pivote::Encabezado::Tipo::Detalle;
    if (role == kRolTotal) return total;
    if (index.column() < ce) {
        if (role != Qt::DisplayRole) return {};
        const int nivel = index.column();
        switch (fila.tipo) {
        case pivote::Encabezado::Tipo::Total: return nivel == 0 ? QStringLiteral("Total") : QVariant();
        case pivote::Encabezado::Tipo::Subtotal:
            return nivel == fila.claves.size() - 1 ? QVariant(QStringLiteral("Total ") + fila.claves.last()) : QVariant();
        case pivote::Encabezado::Tipo::Detalle:
            if (nivel >= fila.claves.size()) return {};
            // An outer value shows once, on the first line of its group.
            if (index.row() > 0 && nivel < fila.claves.size() - 1) {
                const pivote::Encabezado& previa = r_.filas.at(size_t(index.row() - 1));
                if (previa.tipo == pivote::Encabezado::Tipo::Detalle &&
                    previa.claves.mid(0, nivel + 1) == fila.claves.mid(0, nivel + 1))
                    return {};
            }
            return fila.claves.at(nivel);
        }
        return {};
    }
    const int nd = int(r_.diseno.datos.size());
    if (nd == 0) return {};
    const int c = index.column() - ce;
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (!r_.ocupada(index.row(), c / nd)) return {};
    const Dinero v = r_.valor(index.row(), c / nd, c % nd);
    return r_.diseno.datos.at(c % nd).funcion == pivote::Funcion::Cuenta ? v.texto(0) : v.texto(2);
}

QVariant ModeloPivote::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    const int ce = columnasEncabezado();
    if (section < ce)
        return section < r_.diseno.filas.size() ? pivote::tituloCampo(r_.diseno.filas.at(section)) : QString();
    const int nd = std::max<int>(1, int(r_.diseno.datos.size()));
    const int c = section - ce;
    const pivote::Encabezado& col = r_.columnas.at(size_t(c / nd));
    QString t = col.texto();
    if (!r_.diseno.datos.isEmpty()) {
        const QString dato = r_.diseno.datos.at(c % nd).titulo();
        t = r_.diseno.columnas.isEmpty() ? dato : t + QLatin1Char('\n') + dato;
    }
    return t;
}

}  // namespace cxp
