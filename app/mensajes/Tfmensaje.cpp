#include "app/mensajes/Tfmensaje.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
// Names the central error handler shows for this screen's datasets.
const QString kProveedorMensaje = QStringLiteral("QMensajeria");
const QString kDatasetMensaje = QStringLiteral("cdsMensaje");
}  // namespace

Tfmensaje::Tfmensaje(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                     RespuestaMensaje respuesta, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      respuesta_(std::move(respuesta)),
      hoy_([] { return QDate::currentDate(); }) {
    refresco_.setInterval(kRefrescoUsuarios);
    connect(&refresco_, &QTimer::timeout, this, &Tfmensaje::refrescarUsuarios);

    // The user's connection mark is today's date while the user works.
    usuarios_.addCalculated({QStringLiteral("Conectado"), FieldType::String, 1},
                            [this](const RecordRef& r) -> fb::Value {
                                return r.asDate(QStringLiteral("FECCON")) == hoy_() ? QStringLiteral("S")
                                                                                    : QStringLiteral("N");
                            });
    usuarios_.afterScroll([this](DataSet&) { usuarioMovido(); });

    mensaje_.setUpdateTable(QStringLiteral("MENSAJERIA"), {QStringLiteral("MENS_ID")});
    mensaje_.onNewRecord([](DataSet& m) {
        m.setValue(QStringLiteral("MENS_ID"), 0);
        m.setValue(QStringLiteral("MENS_LEIDO"), QStringLiteral("N"));
        m.setValue(QStringLiteral("MENS_RESPUESTA"), 0);
        m.setValue(QStringLiteral("MENS_NIVEL"), 3);
    });
}

Tfmensaje::~Tfmensaje() = default;

QString Tfmensaje::consultaHistoria(const QString& usuario, const QString& remite) {
    QString sql = QStringLiteral("select * from historia_mensajes(") + sql::texto(usuario) + QStringLiteral(")");
    if (!remite.isEmpty()) sql += QStringLiteral(" where REMITE = ") + sql::texto(remite);
    return sql + QStringLiteral(" order by FECHA DESC, HORA DESC");
}

QString Tfmensaje::consultaUsuarios() {
    return QStringLiteral("SELECT USUA_COD USUARIO, USUA_NOMBRE NOMBRE, FECCON FROM USUARIO ");
}

const QStringList& Tfmensaje::prioridades() {
    static const QStringList lista{QStringLiteral("Normal"), QStringLiteral("Media"), QStringLiteral("Alta")};
    return lista;
}

int Tfmensaje::nivelDe(const QString& prioridad) {
    const qsizetype i = prioridades().indexOf(prioridad);
    return i < 0 ? 0 : int(3 - i);
}

QString Tfmensaje::prioridadDe(int nivel) {
    return nivel >= 1 && nivel <= 3 ? prioridades().at(3 - nivel) : QString();
}

bool Tfmensaje::abrir() {
    const bool ok = manejador_.proteger([&] {
        moviendoUsuarios_ = true;
        try {
            abrirUsuarios();
        } catch (...) {
            moviendoUsuarios_ = false;
            throw;
        }
        moviendoUsuarios_ = false;

        mensaje_.open(sesion_.compania, QStringLiteral("select * from mensajeria where mens_id = ?"), {0});
        // The database stamps the author, the date and the time.
        for (const char* campo : {"MENS_AUTOR", "MENS_FECHA", "MENS_HORA"})
            mensaje_.field(QString::fromLatin1(campo)).setRequired(false);
        mensaje_.field(QStringLiteral("MENS_MENSAJE")).setLabel(QStringLiteral("Mensaje"));
        mensaje_.append();

        if (!respuesta_.autor.isEmpty()) {
            moviendoUsuarios_ = true;
            const bool esta = usuarios_.locate(QStringLiteral("USUARIO"), respuesta_.autor);
            moviendoUsuarios_ = false;
            if (!esta) destinoRespuesta_ = respuesta_.autor;
            mensaje_.setValue(QStringLiteral("MENS_DESTINO"), respuesta_.autor);
        }
        if (!respuesta_.id.isEmpty()) {
            bool numero = false;
            const qlonglong id = respuesta_.id.trimmed().toLongLong(&numero);
            if (numero && id > 0) mensaje_.setValue(QStringLiteral("MENS_RESPUESTA"), int64_t(id));
        }

        historia_.open(sesion_.compania, consultaHistoria(sesion_.usuario_actual, destinatario()));
        filtroActual_ = destinatario();
        historia_.field(QStringLiteral("ID")).setVisible(false);
        historia_.field(QStringLiteral("EOS")).setLabel(QStringLiteral("E/S"));
        historia_.field(QStringLiteral("FECHA")).setLabel(QStringLiteral("Fecha"));
        historia_.field(QStringLiteral("HORA")).setLabel(QStringLiteral("Hora"));
        historia_.field(QStringLiteral("REMITE")).setLabel(QStringLiteral("Usuario"));
        historia_.field(QStringLiteral("MENSAJE")).setLabel(QStringLiteral("Mensaje"));
        historia_.field(QStringLiteral("LEIDO")).setLabel(QStringLiteral("Leído"));
    });
    if (ok) refresco_.start();
    return ok;
}

void Tfmensaje::abrirUsuarios() {
    usuarios_.open(sesion_.general, consultaUsuarios());
    usuarios_.field(QStringLiteral("USUARIO")).setLabel(QStringLiteral("Usuario"));
    usuarios_.field(QStringLiteral("NOMBRE")).setLabel(QStringLiteral("Nombre"));
    usuarios_.field(QStringLiteral("FECCON")).setVisible(false);
}

QString Tfmensaje::prioridad() const {
    if (!mensaje_.isOpen() || mensaje_.isEmpty()) return {};
    return prioridadDe(int(mensaje_.asInt(QStringLiteral("MENS_NIVEL"))));
}

void Tfmensaje::setPrioridad(const QString& prioridad) {
    const int nivel = nivelDe(prioridad);
    if (nivel == 0 || !mensaje_.isOpen()) return;
    editarMensaje();
    mensaje_.setValue(QStringLiteral("MENS_NIVEL"), nivel);
}

void Tfmensaje::setTexto(const QString& texto) {
    if (!mensaje_.isOpen()) return;
    editarMensaje();
    mensaje_.setValue(QStringLiteral("MENS_MENSAJE"), texto.trimmed().isEmpty() ? fb::Value() : fb::Value(texto));
}

QString Tfmensaje::texto() const {
    return mensaje_.isOpen() && !mensaje_.isEmpty() ? mensaje_.asString(QStringLiteral("MENS_MENSAJE")) : QString();
}

QString Tfmensaje::destinatario() const {
    if (!destinoRespuesta_.isEmpty()) return destinoRespuesta_;
    if (!usuarios_.isOpen() || usuarios_.isEmpty()) return {};
    return usuarios_.asString(QStringLiteral("USUARIO")).trimmed();
}

void Tfmensaje::editarMensaje() {
    if (mensaje_.isEmpty()) mensaje_.append();
    else if (mensaje_.state() == DataSet::State::Browse) mensaje_.edit();
}

bool Tfmensaje::enviar() { return grabar(destinatario()); }

bool Tfmensaje::enviarATodos() { return grabar(kTodos); }

bool Tfmensaje::grabar(const QString& destino) {
    if (!mensaje_.isOpen()) return false;
    try {
        editarMensaje();
        // No recipient (an empty users list) is left null, so that the
        // required check stops the message instead of sending it to nobody.
        mensaje_.setValue(QStringLiteral("MENS_DESTINO"), destino.isEmpty() ? fb::Value() : fb::Value(destino));
        mensaje_.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(mensaje_, kDatasetMensaje, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    try {
        mensaje_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        // The message stays, posted and pending, to be sent again.
        manejador_.ManejarError(e, kProveedorMensaje);
        return false;
    }
    refresco_.stop();
    emit cerrar();
    return true;
}

void Tfmensaje::cancelar() {
    if (mensaje_.isOpen() && mensaje_.state() != DataSet::State::Browse) mensaje_.cancel();
    refresco_.stop();
    emit cerrar();
}

void Tfmensaje::escape() {
    if (panelVisible_) ocultarMensaje();
    else cancelar();
}

void Tfmensaje::mostrarMensaje() {
    if (!historia_.isOpen() || historia_.isEmpty()) return;
    textoPanel_ = historia_.asString(QStringLiteral("MENSAJE"));
    panelVisible_ = true;
    emit panelMensajeCambio(true);
}

void Tfmensaje::ocultarMensaje() {
    if (!panelVisible_) return;
    panelVisible_ = false;
    emit panelMensajeCambio(false);
}

void Tfmensaje::usuarioMovido() {
    if (moviendoUsuarios_) return;
    destinoRespuesta_.clear();  // the person chose someone in the list
    filtrarHistoria();
}

void Tfmensaje::filtrarHistoria() {
    const QString remite = destinatario();
    manejador_.proteger([&] {
        historia_.open(sesion_.compania, consultaHistoria(sesion_.usuario_actual, remite));
        filtroActual_ = remite;
    });
}

void Tfmensaje::refrescarUsuarios() {
    if (!usuarios_.isOpen()) return;
    const QString antes = usuarios_.isEmpty() ? QString() : usuarios_.asString(QStringLiteral("USUARIO"));
    moviendoUsuarios_ = true;
    const bool ok = manejador_.proteger([&] {
        abrirUsuarios();
        if (!antes.isEmpty()) usuarios_.locate(QStringLiteral("USUARIO"), antes);
    });
    moviendoUsuarios_ = false;
    // One report, not one every fifteen seconds.
    if (!ok) {
        refresco_.stop();
        return;
    }
    if (destinatario() != filtroActual_) filtrarHistoria();
}

}  // namespace cxp
