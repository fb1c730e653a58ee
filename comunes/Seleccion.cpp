#include "comunes/Seleccion.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"

namespace cxp {

Seleccion::Seleccion(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador)
    : db_(db), interaccion_(interaccion), manejador_(manejador) {}

Seleccion::~Seleccion() = default;

MarcaFila Seleccion::marca(const RecordRef&) const { return MarcaFila::Normal; }

QString Seleccion::condicion(const QString& texto, const QStringList& columnasCodigo,
                             const QStringList& columnasNombre) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    QStringList partes;
    for (const QString& c : columnasCodigo) partes << c + QStringLiteral(" like ") + sql::empiezaPor(t);
    for (const QString& c : columnasNombre)
        partes << QStringLiteral("upper(") + c + QStringLiteral(") like upper(") + sql::contiene(t) + u')';
    return QStringLiteral(" and (") + partes.join(QStringLiteral(" or ")) + u')';
}

bool Seleccion::buscar(const QString& texto) {
    const QString sqlTexto = consulta(texto);
    const bool ok = manejador_.proteger([&] {
        resultado_.open(db_, sqlTexto);
        for (const ColumnaSeleccion& c : columnas())
            if (resultado_.fieldIndex(c.campo) >= 0) resultado_.field(c.campo).setLabel(c.titulo);
        for (int i = 0; i < resultado_.fieldCount(); ++i) {
            Field& f = resultado_.field(i);
            bool visible = false;
            for (const ColumnaSeleccion& c : columnas()) visible = visible || c.campo.compare(f.name(), Qt::CaseInsensitive) == 0;
            f.setVisible(visible);
        }
    });
    if (ok) buscado_ = texto.trimmed();
    return ok;
}

std::optional<QVariantMap> Seleccion::aceptar(int fila) {
    if (!resultado_.isOpen() || fila < 0 || fila >= resultado_.recordCount()) return std::nullopt;
    const Eleccion e = elegir(resultado_.row(fila));
    if (!e.valor) {
        if (!e.rechazo.isEmpty()) interaccion_.informacion(e.rechazo);
        return std::nullopt;
    }
    return e.valor;
}

}  // namespace cxp
