#include "documents/notas/Tfnotasdoc.h"

#include "base/Sql.h"
#include "data/DataSet.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace cxp {

namespace {
const QString kProveedor = QStringLiteral("QNotasDoc");
}

Tfnotasdoc::Tfnotasdoc(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo,
                       int64_t idDocumento, DataSet& lista, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      tipo_(tipo),
      idDocumento_(idDocumento),
      lista_(lista) {}

bool Tfnotasdoc::abrir() {
    try {
        lista_.open(sesion_.compania, QStringLiteral("select * from busqueda_notasdoc(") + sql::numero(int64_t(tipo_)) +
                                          u',' + sql::numero(idDocumento_) + u')');
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    return true;
}

QByteArray Tfnotasdoc::adjunto() const {
    if (!lista_.isOpen() || lista_.isEmpty()) return {};
    const auto f = sesion_.compania.queryOne(QStringLiteral("select nodo_archivo from notas_documento where nodo_id = ") +
                                             sql::numero(lista_.asInt(QStringLiteral("ID"))));
    return f && !(*f)[0].isNull() ? (*f)[0].toBytes() : QByteArray();
}

// Named by the note's id, with the extension of the file attached (only
// letters and digits), so that a stored path never chooses where it goes.
QString Tfnotasdoc::adjuntoEnDisco() const {
    const QByteArray datos = adjunto();
    if (datos.isEmpty()) return {};
    QString extension = QFileInfo(lista_.asString(QStringLiteral("IMAGEN")).trimmed().replace(u'\\', u'/')).suffix();
    if (extension.isEmpty() || extension.size() > 8 ||
        !QRegularExpression(QStringLiteral("^[A-Za-z0-9]+$")).match(extension).hasMatch())
        extension = QStringLiteral("pdf");
    const QString carpeta = QDir(sesion_.directorio).filePath(QStringLiteral("pdf"));
    if (!QDir().mkpath(carpeta)) return {};
    const QString ruta = QDir(carpeta).filePath(QStringLiteral("nota%1_%2.%3")
                                                    .arg(lista_.asInt(QStringLiteral("ID")))
                                                    .arg(sesion_.compania_actual, extension.toLower()));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(datos) != datos.size()) return {};
    return ruta;
}

bool Tfnotasdoc::borrar() {
    if (!lista_.isOpen() || lista_.isEmpty()) return false;
    const QString pregunta = QStringLiteral("Desea borrar definitivamente la nota ") +
                             lista_.asString(QStringLiteral("RESUMEN")).trimmed() + QStringLiteral(" de ") +
                             lista_.asDate(QStringLiteral("FECHA")).toString(QStringLiteral("yyyy/MM/dd")) +
                             QStringLiteral("?");
    if (!interaccion_.preguntar(pregunta)) return false;
    try {
        sesion_.compania.executeDirect(QStringLiteral("delete from notas_documento where nodo_id = ") +
                                       sql::numero(lista_.asInt(QStringLiteral("ID"))));
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    abrir();
    return true;
}

Tfnvanotadoc::Tfnvanotadoc(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo,
                           int64_t idDocumento, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      tipo_(tipo),
      idDocumento_(idDocumento) {}

QVector<TipoNota> Tfnvanotadoc::tiposNota() const {
    QVector<TipoNota> r;
    for (const fb::Row& f :
         sesion_.compania.query(QStringLiteral("select tino_cod, tino_nombre from tipo_notadoc order by tino_nombre")))
        r.append({int(f[0].toInt64()), f[1].toString().trimmed()});
    return r;
}

bool Tfnvanotadoc::adjuntar(const QString& ruta) {
    QFile f(ruta);
    if (f.size() > kMaximoAdjunto) {
        interaccion_.error(QStringLiteral("El archivo ") + QFileInfo(ruta).fileName() +
                           QStringLiteral(" es demasiado grande para adjuntarlo a la nota."));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        interaccion_.error(QStringLiteral("No se pudo leer el archivo ") + ruta);
        return false;
    }
    contenido_ = f.readAll();
    ruta_ = ruta.left(250);
    return true;
}

int64_t Tfnvanotadoc::grabar() {
    if (tipoNota == 0) {
        interaccion_.error(kSinTipo);
        return 0;
    }
    if (resumen.trimmed().isEmpty()) {
        interaccion_.error(kSinResumen);
        return 0;
    }
    try {
        fb::Transaction tr = sesion_.compania.begin();
        const auto f = tr.queryOne(QStringLiteral("select id from cambie_idnotadoc"));
        const int64_t id = f ? (*f)[0].toInt64() : 0;
        tr.execute(QStringLiteral("insert into notas_documento (nodo_id, tido_cod, nodo_iddoc, nodo_tipo, nodo_fecha, "
                                  "nodo_user, nodo_texto, nodo_resumen, nodo_imagen, nodo_archivo) "
                                  "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {fb::Value(id), fb::Value(int64_t(tipo_)), fb::Value(idDocumento_), fb::Value(int64_t(tipoNota)),
                    fb::Value(QDate::currentDate()), fb::Value(sesion_.usuario_actual.left(10)), fb::Value(texto),
                    fb::Value(resumen.trimmed().left(60)),
                    ruta_.isEmpty() ? fb::Value() : fb::Value(ruta_),
                    contenido_.isEmpty() ? fb::Value() : fb::Value(contenido_)});
        tr.commit();
        return id;
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return 0;
    }
}

}  // namespace cxp
