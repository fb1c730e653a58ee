#include "import/Tfimportar.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QFileInfo>

namespace cxp {

Tfimportar::Tfimportar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Configuracion& configuracion)
    : sesion_(sesion), interaccion_(interaccion), manejador_(manejador), configuracion_(configuracion) {
    mapa_.openEmpty({{QStringLiteral("DATO"), FieldType::String, 60},
                     {QStringLiteral("COLUMNA"), FieldType::Integer},
                     {QStringLiteral("ANCHO"), FieldType::Integer},
                     {QStringLiteral("IMPORTAR"), FieldType::String, 2}});
    const std::pair<const char*, const char*> titulos[] = {
        {"DATO", "Dato"}, {"COLUMNA", "Columna"}, {"ANCHO", "Ancho"}, {"IMPORTAR", "Importar"}};
    for (const auto& [campo, titulo] : titulos) mapa_.field(QLatin1String(campo)).setLabel(QLatin1String(titulo));
}

void Tfimportar::siguientePaso1(int elegido) {
    tipo_ = std::clamp(elegido, 0, 2) + importacion::kProveedores;
    paso_ = 2;
    emit pasoCambiado(paso_);
}

bool Tfimportar::siguientePaso2() {
    if (ruta.trimmed().isEmpty()) {
        interaccion_.informacion(kSinArchivo);
        return false;
    }
    if (!QFileInfo(ruta).isFile()) {
        interaccion_.informacion(kNoExiste);
        return false;
    }
    cargueMapa();
    paso_ = 3;
    emit pasoCambiado(paso_);
    return true;
}

void Tfimportar::atras() {
    if (paso_ <= 1) return;
    --paso_;
    emit pasoCambiado(paso_);
}

void Tfimportar::cargueMapa() {
    mapa_.clear();
    mapa_.field(QStringLiteral("DATO")).setReadOnly(false);
    for (const importacion::ColumnaMapa& c : importacion::mapaGuardado(sesion_.compania, tipo_)) {
        mapa_.append();
        mapa_.setValue(QStringLiteral("DATO"), c.dato);
        mapa_.setValue(QStringLiteral("COLUMNA"), c.columna);
        mapa_.setValue(QStringLiteral("ANCHO"), c.ancho);
        mapa_.setValue(QStringLiteral("IMPORTAR"), QStringLiteral("SI"));
        mapa_.post();
    }
    mapa_.sort(QStringLiteral("COLUMNA"));
    mapa_.first();
    // The datum is what the row is about: it is not retyped.
    mapa_.field(QStringLiteral("DATO")).setReadOnly(true);
}

bool Tfimportar::importar(const importacion::Avance& avance) {
    if (mapa_.state() != DataSet::State::Browse) mapa_.post();
    std::vector<importacion::ColumnaMapa> mapa;
    for (int i = 0; i < mapa_.recordCount(); ++i) {
        const RecordRef f = mapa_.row(i);
        const QString importar = f.asString(QStringLiteral("IMPORTAR")).trimmed().toUpper();
        mapa.push_back({f.asString(QStringLiteral("DATO")).trimmed(),
                        f.isNull(QStringLiteral("COLUMNA")) ? 0 : int(f.asInt(QStringLiteral("COLUMNA"))),
                        f.isNull(QStringLiteral("ANCHO")) ? 0 : int(f.asInt(QStringLiteral("ANCHO"))),
                        importar == QLatin1String("SI")});
    }
    importacion::FormatoArchivo formato;
    formato.anchoFijo = tipoArchivo_ == 0;
    formato.separador = separador;
    formato.delimitador = delimitador;
    importacion::Importador importador(sesion_.compania, configuracion_, sesion_.usuario_actual);
    try {
        resumen_ = importador.importarArchivo(tipo_, ruta, formato, mapa, avance);
    } catch (const std::runtime_error& e) {
        if (dynamic_cast<const fb::DbError*>(&e)) throw;
        interaccion_.error(kNoAbre);
        return false;
    }
    interaccion_.informacion(resumen_.texto());
    return true;
}

}  // namespace cxp
