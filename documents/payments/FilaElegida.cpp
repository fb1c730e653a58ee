#include "documents/payments/FilaElegida.h"

#include "data/DataSet.h"

#include <QVariantList>

namespace cxp {

bool agregarDocumento(DataSet& filas, const ColumnasDocumento& columnas, const QString& nomcorto,
                      const QString& prefijo, const QString& numero) {
    filas.append();
    for (const auto& [campo, valor] : {std::pair{columnas.nomcorto, nomcorto}, std::pair{columnas.prefijo, prefijo},
                                       std::pair{columnas.numero, numero}}) {
        filas.setValue(campo, valor.trimmed());
        if (filas.state() == DataSet::State::Browse) return false;  // a duplicate, cancelled
    }
    if (filas.asInt(columnas.id) == 0) {
        filas.cancel();
        return false;
    }
    filas.post();
    return true;
}

int agregarEleccion(const QVariantMap& eleccion,
                    const std::function<bool(const QString&, const QString&, const QString&)>& agregar) {
    const QString nomcorto = QStringLiteral("TIDO_NOMCORTO");
    QVariantList documentos = eleccion.value(QStringLiteral("documentos")).toList();
    if (documentos.isEmpty() && eleccion.contains(nomcorto)) documentos << eleccion;
    int agregados = 0;
    for (const QVariant& v : documentos) {
        const QVariantMap m = v.toMap();
        if (agregar(m.value(nomcorto).toString(), m.value(QStringLiteral("PREFIJO")).toString(),
                    m.value(QStringLiteral("NUMERO")).toString()))
            ++agregados;
    }
    return agregados;
}

}  // namespace cxp
