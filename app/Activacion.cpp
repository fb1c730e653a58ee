#include "app/Activacion.h"

#include "app/Arranque.h"
#include "app/Cifrado.h"
#include "app/Comandos.h"
#include "app/Formatos.h"
#include "base/Rutas.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QDate>
#include <optional>
#include <stdexcept>

namespace cxp {

namespace {

const QString G = QStringLiteral("GENERAL");
const QString CX = QStringLiteral("CXPAGAR");

// The text of a column as the program shows it: dates as yyyy/mm/dd.
QString textoDe(const fb::Value& v) {
    if (v.is<QDate>()) return formatos::fecha(v.toDate());
    if (v.is<QDateTime>()) return formatos::fecha(v.toDateTime().date());
    return v.toString();
}

fb::ConnectionParams parametros(const QString& ruta, const QString& usuario, const QString& clave) {
    fb::ConnectionParams p;
    p.database = ruta;
    p.user = usuario;
    p.password = clave;
    return p;
}

}  // namespace

namespace {

std::optional<QString> nombreUsuario(fb::Database& general, const QString& codigo) {
    const auto fila =
        general.queryOne(QStringLiteral("select usua_nombre from usuario where usua_cod = ") + sql::texto(codigo));
    if (!fila) return std::nullopt;
    return fila->at(0).toString();
}

}  // namespace

QString valide_usuario(fb::Database& general, Interaccion& interaccion, const QString& codigo) {
    const auto nombre = nombreUsuario(general, codigo);
    if (!nombre) interaccion.error(kUsuarioIncorrecto);
    return nombre.value_or(QString());
}

Activacion::Activacion(Sesion& sesion, Interaccion& interaccion, Configuracion& configuracion,
                       ManejadorErrores& errores)
    : sesion_(sesion), interaccion_(interaccion), configuracion_(configuracion), errores_(errores) {}

void Activacion::avisar(const QString& mensaje, const QString& usuario) {
    interaccion_.error(mensaje);
    errores_.anotarAvisando(archivoLog_, usuario, mensaje);
}

bool Activacion::rechazar(const QString& usuario) {
    avisar(kAccesoNoPermitido, usuario);
    aceptada_ = false;
    return false;
}

void Activacion::reportar(const std::exception& e) { errores_.ENoManejada(e); }

bool Activacion::activar(const ParametrosLinea& p) {
    aceptada_ = false;
    // Refusals before the registry is read still go to the installation's log.
    archivoLog_ = arranque::archivoErrores(arranque::leerDirectorio());
    errores_.setArchivoLog(archivoLog_);

    // Only the launcher starts a session. A password that does not decipher
    // (altered, or sealed under another key) is refused like a missing one.
    if (!p.desdeLanzador()) return rechazar(p.usuario);
    // The code becomes a folder of the path: nothing else gets that far.
    if (!rutas::codigoCompaniaValido(p.compania)) {
        avisar(kCompaniaNoValida.arg(p.compania), p.usuario);
        return rechazar(p.usuario);
    }
    auto clave = cifrado::descifrar(p.claveCifrada);
    if (!clave) return rechazar(p.usuario);

    sesion_.usuario_actual = p.usuario;  // for the log until the company row names the user
    sesion_.compania_actual = p.compania;
    // Once connected (or not), no copy of the plain password stays.
    auto olvidarClave = [&] {
        sesion_.compania.forgetPassword();
        sesion_.informes.forgetPassword();
        sesion_.general.forgetPassword();
        cifrado::borrar(*clave);
    };
    try {
        conectar(p, *clave);
    } catch (const std::exception& e) {
        olvidarClave();
        reportar(e);
        return false;
    }
    olvidarClave();
    bool aceptada = false;
    try {
        aceptada = cargarSesion(p);
    } catch (const std::exception& e) {
        reportar(e);
        return false;
    }
    // The message poll runs once, for an accepted user and for one the
    // company does not know.
    if (sondeo_) sondeo_();
    if (!aceptada) return rechazar(p.usuario);
    aceptada_ = true;
    return true;
}

void Activacion::conectar(const ParametrosLinea& p, const QString& clave) {
    // Installation directory, location, company connection, configuration,
    // revision date, general connection.
    sesion_.directorio = arranque::Diraplicacion(interaccion_);
    if (sesion_.directorio.isEmpty()) errores_.anotarAvisando(archivoLog_, p.usuario, arranque::kSinRegistro);
    archivoLog_ = arranque::archivoErrores(sesion_.directorio);
    errores_.setArchivoLog(archivoLog_);

    bool sinArchivo = false;
    sesion_.ubicacion = arranque::ubicaciondb(sesion_.directorio, p.ubicacion, interaccion_, &sinArchivo);
    if (sinArchivo) errores_.anotarAvisando(archivoLog_, p.usuario, arranque::kSinConexion);

    sesion_.compania.detach();
    sesion_.compania =
        fb::Database::attach(parametros(rutas::compania(sesion_.ubicacion, p.compania), p.usuario, clave));
    sesion_.compania.setSharedReads(true);  // a clerk's reads start no transaction each
    // Without it a report runs on an attachment of its own made then, which
    // a server refuses once the password is forgotten: no reason to refuse
    // the login.
    sesion_.informes.detach();
    try {
        sesion_.informes = fb::Database::attach(sesion_.compania.params());
    } catch (const fb::DbError& e) {
        errores_.anotarAvisando(archivoLog_, p.usuario, e.text());
    }
    configuracion_.cargar(sesion_.compania);
    const auto revision = sesion_.compania.queryOne(QStringLiteral("select revi_fecha from revision"));
    sesion_.fecha_revision = revision ? textoDe(revision->at(0)) : QString();
    encabezado_.revision = sesion_.fecha_revision;

    sesion_.general.detach();
    sesion_.general = fb::Database::attach(parametros(rutas::general(sesion_.ubicacion), p.usuario, clave));
    sesion_.general.setSharedReads(true);
    // The connection mark of the day, as soon as the general connection opens.
    // USUARIO is read-only to ordinary logins: the procedure marks the caller's own row.
    sesion_.general.executeDirect(QStringLiteral("EXECUTE PROCEDURE MARQUE_CONEXION ") +
                                  sql::fecha(QDate::currentDate()));
}

bool Activacion::cargarSesion(const ParametrosLinea& p) {
    fb::Database& general = sesion_.general;
    // Administrator flag.
    const auto admin =
        general.queryOne(QStringLiteral("select usua_admin from usuario where usua_cod = ") + sql::texto(p.usuario));
    sesion_.es_administrador = admin && admin->at(0).toString() == QLatin1String("S");
    // Full name.
    // Without a row the start goes on with an empty name: the company
    // database decides.
    const auto nombre = nombreUsuario(general, p.usuario);
    if (!nombre) avisar(kUsuarioIncorrecto, p.usuario);
    sesion_.nombre_usuario = nombre.value_or(QString());

    // The company's printed data. A code without a company row leaves them empty:
    // printing another company's name and header would be wrong.
    const auto comp = general.queryOne(
        QStringLiteral("select com_nombre, comp_dir, comp_tels, comp_encabezado, comp_logo from compania "
                       "where comp_cod = ") +
        sql::texto(p.compania));
    sesion_.compania_nombre = comp ? comp->at(0).toString() : QString();
    sesion_.compania_direccion = comp ? comp->at(1).toString() : QString();
    sesion_.compania_telefonos = comp ? comp->at(2).toString() : QString();
    sesion_.compania_encabezado = comp ? comp->at(3).toString() : QString();
    sesion_.compania_logo = comp && !comp->at(4).isNull() ? comp->at(4).toBytes() : QByteArray();

    // Panel colours. One that is not a number is reported; the panels then
    // keep their default colours and the start goes on.
    sesion_.color_ventana = configuracion_.valor(CX, G, QStringLiteral("COLOR VENTANA PRINCIPAL"));
    sesion_.color_final_ventana = configuracion_.valor(CX, G, QStringLiteral("COLOR FINAL VENTANA PRINCIPAL"));
    for (const QString& color : {sesion_.color_ventana, sesion_.color_final_ventana}) {
        bool ok = false;
        color.toLongLong(&ok);
        if (!ok)
            reportar(std::invalid_argument(
                QStringLiteral("'%1' no es un color válido de la ventana principal").arg(color).toStdString()));
    }

    // The user's row in the company decides.
    const auto usuario =
        sesion_.compania.queryOne(QStringLiteral("select * from usuario where user_cod = ") + sql::texto(p.usuario));
    if (!usuario) {
        avisar(kUsuarioIncorrecto, p.usuario);
        return false;
    }
    // Who works, in which agency.
    sesion_.usuario_actual = (*usuario)["USER_COD"].toString();
    sesion_.agencia_actual = int((*usuario)["SUCU_ID"].toInt64());
    encabezado_.usuario = sesion_.usuario_actual;
    encabezado_.compania = configuracion_.valor(G, G, QStringLiteral("NOMBRE COMPANIA"));

    // The agency as "2-Centro"; one without a row shows its number alone.
    encabezado_.agenciaVisible = sesion_.agencia_actual != 0;
    sesion_.agencia_texto.clear();
    if (encabezado_.agenciaVisible) {
        const auto agencia =
            sesion_.compania.queryOne(QStringLiteral("select sucu_nombre from sucursales where sucu_id = ") +
                                      sql::numero(sesion_.agencia_actual));
        sesion_.agencia_texto = QString::number(sesion_.agencia_actual) + QLatin1Char('-') +
                                (agencia ? agencia->at(0).toString() : QString());
    }
    encabezado_.agencia = sesion_.agencia_texto;

    // Search duration in milliseconds; one that is not a number is reported
    // and taken as 0.
    try {
        sesion_.duracion_busquedas = configuracion_.entero(G, G, QStringLiteral("DURACION DE LAS BUSQUEDAS")) * 1000;
    } catch (const std::invalid_argument& e) {
        sesion_.duracion_busquedas = 0;
        reportar(e);
    }
    return true;
}

void Activacion::accionesIniciales() {
    if (!aceptada_) return;
    // The day's exchange rate, when it is asked for and missing.
    try {
        if (configuracion_.valor(G, G, QStringLiteral("PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR")) ==
            QLatin1String("SI")) {
            const int moneda =
                configuracion_.entero(G, G, QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"));
            const auto tasa = sesion_.compania.queryOne(
                QStringLiteral("select taca_id from tasa_cambio_moneda where timo_cod = ") + sql::numero(moneda) +
                QStringLiteral(" and taca_fecha = ") + sql::fecha(QDate::currentDate()));
            if (!tasa) interaccion_.abrirPantalla(comandos::kTasaCambioDia);
        }
    } catch (const std::exception& e) {
        reportar(e);
    }
    // The start-up consult, with right 110.
    try {
        const QString inicio =
            configuracion_.valor(CX, G, QStringLiteral("MOSTRAR EL MOVIMIENTO DE LAS CXP AL ENTRAR AL MODULO"));
        const bool movimiento = inicio == QLatin1String("SI");
        const bool descuentos = inicio == QLatin1String("DESCUENTOS");
        if (!movimiento && !descuentos && inicio != QLatin1String("CXPAGAR")) return;
        if (!valide_acceso(sesion_, 110)) {
            interaccion_.error(comandos::kAccesoNegado);
            return;
        }
        if (movimiento)
            interaccion_.abrirPantalla(comandos::kMovimientoCxp);
        else
            interaccion_.abrirPantalla(comandos::kAnalisisCxp,
                                       descuentos ? QVariantMap{{comandos::kArgDescuentos, true}} : QVariantMap{});
    } catch (const std::exception& e) {
        reportar(e);
    }
}

void Activacion::cerrar(bool enSilencio) {
    fb::Database& general = sesion_.general;
    if (!general.isAttached()) return;
    try {
        // The caller's own mark, when it is today's.
        general.executeDirect(QStringLiteral("EXECUTE PROCEDURE LIMPIE_CONEXION ") + sql::fecha(QDate::currentDate()));
    } catch (const std::exception& e) {
        if (enSilencio) ManejadorErrores::anotar(archivoLog_, sesion_.usuario_actual, ManejadorErrores::mensajeDe(e));
        else reportar(e);
    }
}

}  // namespace cxp
