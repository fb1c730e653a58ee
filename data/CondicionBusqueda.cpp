#include "data/CondicionBusqueda.h"

#include "base/Sql.h"

#include <QDate>
#include <stdexcept>

namespace cxp {

namespace {

QString columnaSegura(const std::vector<ColumnaBusqueda>& columnas, int indice) {
    if (indice < 0 || indice >= int(columnas.size())) throw std::invalid_argument("columna de búsqueda inexistente");
    QStringList permitidas;
    for (const auto& c : columnas) permitidas << c.columna;
    return sql::identificador(columnas[size_t(indice)].columna, permitidas);
}

}  // namespace

QString condicionBusqueda(const std::vector<ColumnaBusqueda>& columnas, int indice, const QString& texto,
                          ModoBusqueda modo, const QString& conector) {
    const QString columna = columnaSegura(columnas, indice);
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    const ColumnaBusqueda& c = columnas[size_t(indice)];

    QString izquierda;
    QString buscado = t;
    switch (c.tipo) {
        case ColumnaBusqueda::Tipo::Texto: izquierda = QStringLiteral("upper(%1)").arg(columna); break;
        case ColumnaBusqueda::Tipo::Fecha: {
            // A whole date from onwards compares as a date.
            const QDate d = QDate::fromString(QString(t).replace(u'-', u'/'), QStringLiteral("yyyy/MM/dd"));
            if (modo == ModoBusqueda::DesdeValor && d.isValid())
                return conector + QStringLiteral("%1 >= %2").arg(columna, sql::fecha(d));
            // Firebird writes a date as text yyyy-mm-dd.
            izquierda = QStringLiteral("cast(%1 as varchar(10))").arg(columna);
            buscado.replace(u'/', u'-');
            break;
        }
        case ColumnaBusqueda::Tipo::Numero: izquierda = QStringLiteral("cast(%1 as varchar(20))").arg(columna); break;
    }
    QString derecha;
    switch (modo) {
        case ModoBusqueda::Contiene: derecha = QStringLiteral(" like upper(%1)").arg(sql::contiene(buscado)); break;
        case ModoBusqueda::EmpiezaPor: derecha = QStringLiteral(" like upper(%1)").arg(sql::empiezaPor(buscado)); break;
        case ModoBusqueda::DesdeValor: derecha = QStringLiteral(" >= upper(%1)").arg(sql::texto(buscado)); break;
    }
    return conector + izquierda + derecha;
}

QString ordenBusqueda(const std::vector<ColumnaBusqueda>& columnas, int indice) {
    const QString columna = columnaSegura(columnas, indice);
    return QStringLiteral(" order by ") + columna +
           (columnas[size_t(indice)].descendente ? QStringLiteral(" desc") : QString());
}

}  // namespace cxp
