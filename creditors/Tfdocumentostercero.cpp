#include "creditors/Tfdocumentostercero.h"

#include "base/Sql.h"
#include "creditors/FichaAcreedor.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace cxp {

Tfdocumentostercero::Tfdocumentostercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                         QString nit, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador), nit_(std::move(nit)) {}

Tfdocumentostercero::~Tfdocumentostercero() { limpiar(); }

bool Tfdocumentostercero::abrir() {
    return manejador_.proteger([this] {
        documentos_.open(sesion_.compania,
                         QStringLiteral("select TERC_NIT, TEDO_ITEM, TEDO_NOMBRE from tercero_documentos where terc_nit = ") +
                             sql::texto(nit_) + QStringLiteral(" order by TEDO_ITEM"));
        documentos_.field(QStringLiteral("TERC_NIT")).setVisible(false);
        documentos_.field(QStringLiteral("TEDO_ITEM")).setLabel(QStringLiteral("Item"));
        documentos_.field(QStringLiteral("TEDO_NOMBRE")).setLabel(QStringLiteral("Título"));
    });
}

QString Tfdocumentostercero::archivoActual() {
    if (!documentos_.isOpen() || documentos_.isEmpty()) return {};
    const int64_t item = documentos_.asInt(QStringLiteral("TEDO_ITEM"));
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select TEDO_ARCHIVO from tercero_documentos where terc_nit = ") + sql::texto(nit_) +
        QStringLiteral(" and tedo_item = ") + sql::numero(item));
    if (!fila || (*fila)[0].isNull()) return {};
    // Made afresh with a random name and mode 0600: a name another user
    // could guess may be planted or swapped in a shared folder.
    auto f = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/cxpagar-XXXXXX.pdf"));
    const QByteArray contenido = (*fila)[0].toBytes();
    if (!f->open() || f->write(contenido) != contenido.size() || !f->flush()) {
        interaccion_.error(QStringLiteral("No se pudo escribir el archivo temporal ") + f->fileName() +
                           QStringLiteral(": ") + f->errorString());
        return {};
    }
    f->close();
    temporales_.push_back(std::move(f));
    return temporales_.back()->fileName();
}

QStringList Tfdocumentostercero::temporales() const {
    QStringList r;
    for (const auto& f : temporales_) r << f->fileName();
    return r;
}

bool Tfdocumentostercero::esPdf(const QByteArray& contenido) { return contenido.startsWith("%PDF-"); }

bool Tfdocumentostercero::registrar(const QString& titulo, const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        interaccion_.error(QStringLiteral("No se pudo leer el archivo ") + ruta);
        return false;
    }
    const QByteArray contenido = f.readAll();
    if (!esPdf(contenido)) {
        interaccion_.error(kNoPdf);
        return false;
    }
    bool ok = false;
    manejador_.proteger([&] {
        fb::Transaction tr = sesion_.compania.begin();
        const auto fila = tr.queryOne(QStringLiteral("select coalesce(max(tedo_item), 0) + 1 from tercero_documentos "
                                                     "where terc_nit = ") + sql::texto(nit_));
        const int64_t item = (*fila)[0].toInt64();
        tr.execute(QStringLiteral("insert into tercero_documentos (terc_nit, tedo_item, tedo_archivo, tedo_nombre) "
                                  "values (?, ?, ?, ?)"),
                   {nit_, item, contenido, titulo.left(255)});
        tr.commit();
        ok = true;
        documentos_.open(sesion_.compania,
                         QStringLiteral("select TERC_NIT, TEDO_ITEM, TEDO_NOMBRE from tercero_documentos where terc_nit = ") +
                             sql::texto(nit_) + QStringLiteral(" order by TEDO_ITEM"));
        documentos_.locate(QStringLiteral("TEDO_ITEM"), item);
    });
    return ok;
}

void Tfdocumentostercero::borrar() {
    if (!valide_acceso(sesion_, 12)) {
        interaccion_.informacion(FichaAcreedor::kAccesoNegado);
        emit cerrar();
        return;
    }
    if (documentos_.isEmpty()) return;
    const QString titulo = documentos_.asString(QStringLiteral("TEDO_NOMBRE"));
    if (!interaccion_.preguntar(QStringLiteral("Desea borrar definitivamente el documento ") + titulo + u'?')) return;
    manejador_.proteger([&] {
        sesion_.compania.executeDirect(QStringLiteral("delete from tercero_documentos where terc_nit = ") + sql::texto(nit_) +
                                       QStringLiteral(" and tedo_item = ") +
                                       sql::numero(documentos_.asInt(QStringLiteral("TEDO_ITEM"))));
    });
    abrir();
}

void Tfdocumentostercero::limpiar() {
    temporales_.clear();  // each file goes with its object
}

}  // namespace cxp
