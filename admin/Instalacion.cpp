#include "admin/Instalacion.h"
#include "documents/charges/ReplicacionAjustes.h"
#include "admin/Volumen.h"

#include "base/Rutas.h"
#include "base/Sql.h"
#include "db/Esquema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace cxp::admin {

using esquema::Base;

namespace {

bool codigoValido(const QString& codigo) { return rutas::codigoCompaniaValido(codigo); }

QString absoluta(const QString& ubicacion) {
    if (!rutas::esLocal(ubicacion)) return ubicacion;
    return QDir::cleanPath(QFileInfo(ubicacion).absoluteFilePath());
}

}  // namespace

fb::ConnectionParams Instalador::params(const QString& ruta) const {
    fb::ConnectionParams p;
    p.database = ruta;
    p.user = cred_.usuario;
    p.password = cred_.clave;
    return p;
}

fb::Database Instalador::crear(const QString& ruta) {
    if (rutas::esLocal(ruta)) {
        if (QFileInfo::exists(ruta)) throw Rechazo(QStringLiteral("Ya existe la base de datos %1.").arg(ruta));
        const QString carpeta = QFileInfo(ruta).absolutePath();
        if (!QDir().mkpath(carpeta)) throw Rechazo(QStringLiteral("No se pudo crear la carpeta %1.").arg(carpeta));
    } else {
        // On a server, the file may already be there: ask for it first.
        bool existe = false;
        try {
            fb::Database::attach(params(ruta));
            existe = true;
        } catch (const fb::DbError& e) {
            if (e.kind() != fb::ErrorKind::MissingFile) throw;
        }
        if (existe) throw Rechazo(QStringLiteral("Ya existe la base de datos %1.").arg(ruta));
    }
    return fb::Database::create(params(ruta));
}

void Instalador::crearGeneral(const QString& ubicacion) {
    const QString ruta = rutas::general(absoluta(ubicacion));
    fb::Database db = crear(ruta);
    try {
        esquema::actualizar(db, Base::General, [&](const QString& m) { out_ << m << Qt::endl; });
    } catch (...) {
        db.drop();  // nothing half-made stays behind
        throw;
    }
    out_ << "Base de datos general creada: " << ruta << Qt::endl;
}

void Instalador::crearCompania(const QString& ubicacion, const QString& codigo) {
    if (!codigoValido(codigo))
        throw Rechazo(QStringLiteral("El código de compañía \"%1\" no es válido (tres letras o dígitos).").arg(codigo));
    const QString ruta = rutas::compania(absoluta(ubicacion), codigo);
    fb::Database db = crear(ruta);
    try {
        esquema::actualizar(db, Base::Compania, [&](const QString& m) { out_ << m << Qt::endl; });
    } catch (...) {
        db.drop();
        throw;
    }
    out_ << "Base de datos de la compañía " << codigo << " creada: " << ruta << Qt::endl;
}

QStringList Instalador::companias(const QString& ubicacion, fb::Database& general) {
    QStringList codigos;
    for (const fb::Row& r : general.query("select COMP_COD from COMPANIA order by COMP_COD"))
        codigos << r[0].toString().trimmed();
    if (rutas::esLocal(ubicacion)) {
        // Company folders not (yet) registered in COMPANIA are upgraded too.
        QDir datos(ubicacion + QStringLiteral("/datos"));
        for (const QString& c : datos.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (QFileInfo::exists(rutas::compania(ubicacion, c)) && !codigos.contains(c)) codigos << c;
    }
    return codigos;
}

namespace {

// The administrators the general database names may write the protected
// tables of a company too.
void otorgarAdministradores(fb::Database& general, fb::Database& compania) {
    for (const fb::Row& f : general.query(QStringLiteral("select trim(USUA_COD) from USUARIO where USUA_ADMIN = 'S'")))
        esquema::otorgarAdministrador(compania, Base::Compania, f[0].toString());
}

}  // namespace

int Instalador::actualizar(const QString& ubicacionDada) {
    const QString ubicacion = absoluta(ubicacionDada);
    fb::Database general = fb::Database::attach(params(rutas::general(ubicacion)));
    const QStringList codigos = companias(ubicacion, general);
    // A copy first: an upgrade that goes wrong can be undone with restaurar.
    respaldar(ubicacion, {}, general);
    // Each database on its own: one that fails is reported and the others
    // are still brought up to date; its next run goes on where it stopped.
    QStringList fallidas;
    auto paso = [&](const QString& nombre, const std::function<QStringList()>& hacer) {
        try {
            const QStringList aplicados = hacer();
            out_ << nombre << ": "
                 << (aplicados.isEmpty() ? QStringLiteral("al día") : QStringLiteral("aplicados ") + aplicados.join(", "))
                 << Qt::endl;
        } catch (const fb::DbError& e) {
            fallidas << nombre;
            out_ << nombre << ": falló: " << e.text() << Qt::endl;
        }
    };
    paso(QStringLiteral("general"), [&] { return esquema::actualizar(general, Base::General); });
    for (const QString& codigo : codigos)
        paso(QStringLiteral("compañía ") + codigo, [&] {
            fb::Database db = fb::Database::attach(params(rutas::compania(ubicacion, codigo)));
            const QStringList aplicados = esquema::actualizar(db, Base::Compania);
            otorgarAdministradores(general, db);
            return aplicados;
        });
    if (!fallidas.isEmpty())
        out_ << "No se actualizaron: " << fallidas.join(", ")
             << ". Corrija la causa y ejecute actualizar de nuevo: continúa donde quedó." << Qt::endl;
    return int(fallidas.size());
}

namespace {

// gbak with the tool's credentials; the password goes through the child's
// environment, never its command line (which every local user can read).
void gbak(const Credenciales& cred, const QStringList& argumentos) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();  // FIREBIRD and its lock folder too
    env.insert(QStringLiteral("ISC_USER"), cred.usuario);
    if (cred.clave.isEmpty())
        env.remove(QStringLiteral("ISC_PASSWORD"));
    else
        env.insert(QStringLiteral("ISC_PASSWORD"), cred.clave);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("gbak"), argumentos);
    if (!p.waitForStarted()) throw Rechazo(QStringLiteral("No se pudo ejecutar gbak: %1").arg(p.errorString()));
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw Rechazo(QStringLiteral("gbak %1 falló:\n%2")
                          .arg(argumentos.mid(0, 1).join(' '), QString::fromLocal8Bit(p.readAll()).trimmed()));
}

}  // namespace

QString Instalador::respaldar(const QString& ubicacionDada, const QString& codigo) {
    const QString ubicacion = absoluta(ubicacionDada);
    fb::Database general = fb::Database::attach(params(rutas::general(ubicacion)));  // also readies the engine
    return respaldar(ubicacion, codigo, general);
}

QString Instalador::respaldar(const QString& ubicacion, const QString& codigo, fb::Database& general) {
    QStringList codigos = companias(ubicacion, general);
    if (!codigo.isEmpty()) {
        if (!codigos.contains(codigo))
            throw Rechazo(QStringLiteral("No existe la compañía %1 en %2.").arg(codigo, ubicacion));
        codigos = {codigo};
    }
    // Beside the files on a local installation; a server's copies come to
    // the folder the tool runs in.
    const QString raiz = (rutas::esLocal(ubicacion) ? ubicacion : QDir::currentPath()) + QStringLiteral("/respaldos/");
    QString carpeta = raiz + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 2; QFileInfo::exists(carpeta); ++n)
        carpeta = raiz + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) + u'-' + QString::number(n);
    if (!QDir().mkpath(carpeta)) throw Rechazo(QStringLiteral("No se pudo crear la carpeta %1.").arg(carpeta));
    QFile::setPermissions(carpeta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    gbak(cred_, {QStringLiteral("-b"), rutas::general(ubicacion), carpeta + QStringLiteral("/general.fbk")});
    for (const QString& c : codigos)
        gbak(cred_, {QStringLiteral("-b"), rutas::compania(ubicacion, c), carpeta + u'/' + c + QStringLiteral(".fbk")});
    out_ << "Respaldo en " << carpeta << ": general" << (codigos.isEmpty() ? QString() : u',' + codigos.join(u','))
         << Qt::endl;
    return carpeta;
}

void Instalador::restaurar(const QString& ubicacionDada, const QString& carpeta, const QString& codigo) {
    const QString ubicacion = absoluta(ubicacionDada);
    QStringList hechos;
    auto uno = [&](const QString& respaldo, const QString& destino, const QString& nombre) {
        if (!QFileInfo::exists(respaldo)) throw Rechazo(QStringLiteral("No existe el respaldo %1.").arg(respaldo));
        if (rutas::esLocal(destino)) QDir().mkpath(QFileInfo(destino).absolutePath());
        // Nobody may be connected: gbak refuses to replace a database in use.
        gbak(cred_, {QStringLiteral("-rep"), respaldo, destino});
        hechos << nombre;
    };
    if (codigo.isEmpty()) {
        uno(carpeta + QStringLiteral("/general.fbk"), rutas::general(ubicacion), QStringLiteral("general"));
        for (const QString& f : QDir(carpeta).entryList({QStringLiteral("*.fbk")}, QDir::Files, QDir::Name)) {
            const QString c = QFileInfo(f).completeBaseName();
            if (c != QLatin1String("general") && codigoValido(c))
                uno(carpeta + u'/' + f, rutas::compania(ubicacion, c), QStringLiteral("compañía ") + c);
        }
    } else {
        if (!codigoValido(codigo))
            throw Rechazo(QStringLiteral("El código de compañía \"%1\" no es válido (hasta tres letras o dígitos).").arg(codigo));
        uno(carpeta + u'/' + codigo + QStringLiteral(".fbk"), rutas::compania(ubicacion, codigo),
            QStringLiteral("compañía ") + codigo);
    }
    out_ << "Restaurado desde " << carpeta << ": " << hechos.join(", ") << Qt::endl;
}

void escribirRegistro(const QString& carpetaRegistro, const QString& directorio) {
    const QString archivo = carpetaRegistro + QStringLiteral("/Orvel/Quelmar2021.ini");
    QDir().mkpath(QFileInfo(archivo).absolutePath());
    QSettings ini(archivo, QSettings::IniFormat);
    ini.setValue(QStringLiteral("Directorio"), directorio);
    ini.sync();
    if (ini.status() != QSettings::NoError) throw Rechazo(QStringLiteral("No se pudo escribir %1.").arg(archivo));
}

// The demo's sister company, 002 (the Medellín branch kept as a company of
// its own): an empty company that receives the copies of every creditor
// saved in 001, through REPLICA_COMPRAS and the replication login (any name
// opens an embedded database; a server needs a real login there).
void Instalador::hermana(fb::Database& principal, const QString& dir) {
    fb::Database db = crear(rutas::compania(dir, kHermana));
    esquema::actualizar(db, Base::Compania);
    for (const char* sql : {
             "INSERT INTO SUCURSALES (SUCU_ID, SUCU_NOMBRE, SUCU_DIRECCION) VALUES (1, 'Principal', "
             "'Carrera 43A # 1 Sur-100, Medellín')",
             "INSERT INTO USUARIO (USER_COD, USER_ANOCNT, USER_PERCNT, SUCU_ID) VALUES ('ADMIN', '2026', 11, 0)",
             // The prefix the charges and discounts of BOG are copied under.
             "INSERT INTO PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) VALUES (51, 'BOG', '000001')",
             "INSERT INTO PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) VALUES (52, 'BOG', '000001')",
             "UPDATE CONFIGURACION SET CONF_VALOR = 'Distribuidora Andina de Antioquia S.A.S.' "
             "WHERE CONF_MODULO = 'GENERAL' AND CONF_CATEGORIA = 'GENERAL' AND CONF_PROPIEDAD = 'NOMBRE COMPANIA'",
         })
        db.executeDirect(QString::fromUtf8(sql));
    // The same creditor groups: a copied creditor keeps its group.
    for (const fb::Row& g : principal.query(QStringLiteral("select * from GRUPOS_PROVEEDORES"))) {
        QStringList columnas, marcas;
        for (const auto& c : g.columns()) {
            columnas << c.name;
            marcas << QStringLiteral("?");
        }
        db.executeDirect(QStringLiteral("INSERT INTO GRUPOS_PROVEEDORES (") + columnas.join(u',') +
                             QStringLiteral(") VALUES (") + marcas.join(u',') + u')',
                         g.values());
    }
    if (dir.size() > 60) {
        out_ << "La carpeta tiene más de 60 caracteres: la compañía " << kHermana
             << " no recibe las copias de los acreedores." << Qt::endl;
        return;
    }
    principal.executeDirect(QStringLiteral("INSERT INTO REPLICA_COMPRAS (RPCM_COD, RPCM_PREF, RPCM_NOMBRE, "
                                           "RPCM_SERVIDOR, RPCM_PREDDES) VALUES (?, 'BOG', ?, ?, 'BOG')"),
                            {kHermana, QStringLiteral("Distribuidora Andina de Antioquia S.A.S."), dir});
    principal.executeDirect(QStringLiteral(
        "UPDATE CONFIGURACION SET CONF_VALOR = 'ADMIN' WHERE CONF_MODULO = 'INVENTARIO' AND CONF_CATEGORIA = "
        "'ARTICULOS' AND CONF_PROPIEDAD = 'NOMBRE DE USUARIO PARA REPLICACION DE ARTICULOS'"));
}

void Instalador::demo(const QString& directorioDado) {
    const QString dir = absoluta(directorioDado);
    if (!rutas::esLocal(dir)) throw Rechazo(QStringLiteral("La demostración se instala en una carpeta local."));
    const QString rutaGeneral = rutas::general(dir);
    const QString rutaCompania = rutas::compania(dir, QStringLiteral("001"));
    if (QFileInfo::exists(rutaGeneral) || QFileInfo::exists(rutaCompania))
        throw Rechazo(QStringLiteral("Ya existe una instalación en %1.").arg(dir));
    try {
        fb::Database general = crear(rutaGeneral);
        esquema::actualizar(general, Base::General);
        esquema::ejecutar(general, esquema::guionDemo(Base::General));
        esquema::otorgarDerechos(general, Base::General);  // the demo's administrators
        fb::Database compania = crear(rutaCompania);
        esquema::actualizar(compania, Base::Compania);
        esquema::ejecutar(compania, esquema::guionDemo(Base::Compania));
        hermana(compania, dir);
        otorgarAdministradores(general, compania);
        fb::Database segunda = fb::Database::attach(params(rutas::compania(dir, kHermana)));
        otorgarAdministradores(general, segunda);
    } catch (...) {
        QFile::remove(rutaGeneral);
        QFile::remove(rutaCompania);
        QFile::remove(rutas::compania(dir, kHermana));
        throw;
    }
    // The first line of conexion.cfg is the database location.
    QFile cfg(dir + QStringLiteral("/conexion.cfg"));
    if (!cfg.open(QIODevice::WriteOnly | QIODevice::Truncate) || cfg.write((dir + QStringLiteral("\r\n")).toUtf8()) < 0)
        throw Rechazo(QStringLiteral("No se pudo escribir %1.").arg(cfg.fileName()));
    cfg.close();
    escribirRegistro(dir + QStringLiteral("/registro"), dir);
    disenos(dir);
    out_ << "Instalación de demostración lista en " << dir << Qt::endl
         << "  general:  " << rutaGeneral << Qt::endl
         << "  compañía: " << rutaCompania << Qt::endl
         << "  compañía hermana: " << rutas::compania(dir, kHermana) << Qt::endl;
}

void Instalador::disenos(const QString& directorioDado) {
    const QString carpeta = absoluta(directorioDado) + QStringLiteral("/cxpagar/reportes");
    if (!QDir().mkpath(carpeta)) throw Rechazo(QStringLiteral("No se pudo crear %1.").arg(carpeta));
    const QDir recursos(QStringLiteral(":/disenos"));
    for (const QString& nombre : recursos.entryList(QDir::Files, QDir::Name)) {
        QFile origen(recursos.filePath(nombre));
        if (!origen.open(QIODevice::ReadOnly)) throw Rechazo(QStringLiteral("No se pudo leer %1.").arg(nombre));
        const QByteArray nuevo = origen.readAll();
        const QString destino = carpeta + u'/' + nombre;
        QFile actual(destino);
        if (actual.open(QIODevice::ReadOnly)) {
            const QByteArray viejo = actual.readAll();
            actual.close();
            if (viejo == nuevo) continue;
            QFile::remove(destino + QStringLiteral(".anterior"));
            if (!QFile::rename(destino, destino + QStringLiteral(".anterior")))
                throw Rechazo(QStringLiteral("No se pudo guardar la copia de %1.").arg(destino));
        }
        QSaveFile f(destino);
        if (!f.open(QIODevice::WriteOnly) || f.write(nuevo) != nuevo.size() || !f.commit())
            throw Rechazo(QStringLiteral("No se pudo escribir %1.").arg(destino));
        out_ << "Diseño de informe " << destino << Qt::endl;
    }
}

void Instalador::volumen(const QString& ubicacion, const QString& codigo, const QStringList& tamano,
                         bool contabilizar) {
    if (!codigoValido(codigo))
        throw Rechazo(QStringLiteral("El código de compañía \"%1\" no es válido (tres letras o dígitos).").arg(codigo));
    OpcionesVolumen op;
    op.contabilizar = contabilizar;
    int* enteros[] = {&op.acreedores, &op.documentos};
    for (int i = 0; i < tamano.size(); ++i) {
        bool ok = false;
        const qlonglong v = tamano[i].toLongLong(&ok);
        if (!ok || v < (i == 2 ? 0 : 1) || v > 100000000)
            throw Rechazo(QStringLiteral("\"%1\" no es un número válido.").arg(tamano[i]));
        if (i < 2) *enteros[i] = int(v);
        else op.semilla = uint32_t(v);
    }
    const QString ruta = rutas::compania(absoluta(ubicacion), codigo);
    fb::Database db = fb::Database::attach(params(ruta));
    out_ << "Generando " << op.acreedores << " acreedores y " << op.documentos << " documentos (semilla "
         << op.semilla << ") en " << ruta << Qt::endl;
    ResumenVolumen r;
    try {
        r = generarVolumen(db, op, &out_);
    } catch (const VolumenRechazado& e) {
        throw Rechazo(e.mensaje);
    }
    out_ << r.acreedores << " acreedores, " << r.documentos << " documentos (" << r.anulados << " anulados), "
         << r.lineas << " cruces, " << r.contabilizados << " contabilizados." << Qt::endl;
}

void Instalador::usuario(const QString& ubicacionDada, const QString& nombre, const QString& clave, bool administrador) {
    if (!sql::esIdentificador(nombre) || nombre.contains(QLatin1Char('.')))
        throw Rechazo(QStringLiteral("El nombre de usuario \"%1\" no es válido.").arg(nombre));
    if (clave.isEmpty()) throw Rechazo(QStringLiteral("La clave no puede estar vacía."));
    const QString ubicacion = absoluta(ubicacionDada);
    const QString login = nombre.toUpper();
    fb::Database db = fb::Database::attach(params(rutas::general(ubicacion)));
    db.executeDirect(QStringLiteral("CREATE OR ALTER USER %1 PASSWORD %2 USING PLUGIN Srp").arg(login, sql::texto(clave)));
    out_ << "Usuario " << login << " listo en el servidor." << Qt::endl;
    if (!administrador) return;
    // Marked in the suite and granted the protected tables of every database.
    db.executeDirect(QStringLiteral("UPDATE OR INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE, USUA_ADMIN) VALUES (?, "
                                    "coalesce((select USUA_NOMBRE from USUARIO where USUA_COD = ?), ?), 'S') "
                                    "MATCHING (USUA_COD)"),
                     {login, login, login});
    esquema::otorgarAdministrador(db, Base::General, login);
    for (const QString& codigo : companias(ubicacion, db)) {
        // A company that cannot be opened now is told and gets the grants
        // with its next actualizar.
        try {
            fb::Database compania = fb::Database::attach(params(rutas::compania(ubicacion, codigo)));
            esquema::otorgarAdministrador(compania, Base::Compania, login);
        } catch (const fb::DbError& e) {
            out_ << "compañía " << codigo << ": no se pudo abrir (" << e.text().section(u'\n', 0, 0)
                 << "); recibe los permisos con el próximo actualizar." << Qt::endl;
        }
    }
    out_ << "Usuario " << login << " es administrador." << Qt::endl;
}

int Instalador::replicar(const QString& ubicacion, const QString& codigo) {
    if (!codigoValido(codigo))
        throw Rechazo(QStringLiteral("El código de compañía \"%1\" no es válido (tres letras o dígitos).").arg(codigo));
    const QString ruta = rutas::compania(absoluta(ubicacion), codigo);
    fb::Database db = fb::Database::attach(params(ruta));
    const ReplicacionAjustes::Resumen r = ReplicacionAjustes(db).reintentar();
    for (const QString& m : r.mensajes) out_ << m << Qt::endl;
    out_ << "Documentos replicados: " << r.enviados << "; pendientes: " << r.pendientes << Qt::endl;
    return r.pendientes;
}

namespace {

const char* kUso =
    "Uso: cxpagar-admin [--usuario U] [--clave-archivo F | --clave-entrada | --clave C] ORDEN ...\n"
    "  crear-general UBICACION           crea UBICACION/datos/general.fdb\n"
    "  crear-compania UBICACION CODIGO   crea UBICACION/datos/CODIGO/quelmar.fdb\n"
    "  actualizar UBICACION              respalda y aplica los guiones nuevos a cada base;\n"
    "                                    una que falla no detiene las demás y continúa\n"
    "                                    donde quedó la próxima vez\n"
    "  respaldar UBICACION [CODIGO]      copia con gbak la general y las compañías (o CODIGO)\n"
    "                                    en UBICACION/respaldos/AAAAMMDD-HHMMSS\n"
    "  restaurar UBICACION CARPETA [CODIGO]\n"
    "                                    devuelve las bases (o la compañía CODIGO) a la copia\n"
    "                                    de CARPETA; nadie debe estar conectado\n"
    "  demo DIRECTORIO                   instalación de demostración en DIRECTORIO\n"
    "  disenos DIRECTORIO                escribe los diseños de informes en DIRECTORIO/cxpagar/reportes\n"
    "  usuario UBICACION NOMBRE [CLAVE] [--admin]\n"
    "                                    crea o cambia un usuario del servidor; sin CLAVE,\n"
    "                                    la lee de una línea de la entrada estándar; con\n"
    "                                    --admin, administrador de la general y de cada compañía\n"
    "  volumen UBICACION CODIGO [ACREEDORES [DOCUMENTOS [SEMILLA]]] [--sin-contabilizar]\n"
    "                                    llena la compañía con datos generados de cuentas por pagar\n"
    "                                    (1000 acreedores y 1000000 documentos si no se indican)\n"
    "                                    y los contabiliza (salvo facturas de compra y devoluciones)\n"
    "  replicar UBICACION CODIGO         envía a las compañías hermanas los cargos y descuentos\n"
    "                                    de la compañía CODIGO que quedaron pendientes\n"
    "UBICACION es una carpeta local o \"servidor/puerto:/carpeta\". Sin --usuario y sin clave\n"
    "se usan ISC_USER e ISC_PASSWORD, o SYSDBA. --clave-archivo lee la clave de la primera línea\n"
    "de F (del usuario, permisos 0600); --clave-entrada, de la primera línea de la entrada\n"
    "estándar. Una clave en la línea de órdenes (--clave, CLAVE) la ven los demás usuarios\n"
    "del equipo.\n";

const char* kClaveVisible =
    "Aviso: una clave en la línea de órdenes la ven los demás usuarios del equipo; use --clave-archivo o "
    "--clave-entrada.";

// One line of standard input, without its line end.
QString lineaDeEntrada() {
    QByteArray linea;
    for (int c; (c = std::fgetc(stdin)) != EOF && c != '\n';) linea.append(char(c));
    if (linea.endsWith('\r')) linea.chop(1);
    return QString::fromLocal8Bit(linea);
}

// The first line of a password file that is this user's alone: a regular
// file (not a link), owned by the effective user, no access for others.
std::optional<QString> claveDeArchivo(const QString& ruta, QString* motivo) {
    struct stat st {};
    const QByteArray nativa = QFile::encodeName(ruta);
    if (::lstat(nativa.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0) {
        *motivo = QStringLiteral("El archivo de clave %1 debe ser un archivo del usuario con permisos 0600.").arg(ruta);
        return std::nullopt;
    }
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        *motivo = QStringLiteral("No se pudo leer el archivo de clave %1.").arg(ruta);
        return std::nullopt;
    }
    QByteArray linea = f.readLine();
    while (linea.endsWith('\n') || linea.endsWith('\r')) linea.chop(1);
    return QString::fromLocal8Bit(linea);
}

}  // namespace

int ejecutar(const QStringList& argumentosDados, QTextStream& out, QTextStream& err) {
    QStringList args = argumentosDados;
    Credenciales cred;
    if (qEnvironmentVariableIsSet("ISC_USER")) cred.usuario = qEnvironmentVariable("ISC_USER");
    if (qEnvironmentVariableIsSet("ISC_PASSWORD")) cred.clave = qEnvironmentVariable("ISC_PASSWORD");
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString opcion = args.takeFirst();
        if ((opcion == QLatin1String("--usuario") || opcion == QLatin1String("--clave")) && !args.isEmpty()) {
            (opcion == QLatin1String("--usuario") ? cred.usuario : cred.clave) = args.takeFirst();
            if (opcion == QLatin1String("--clave")) err << kClaveVisible << Qt::endl;
        } else if (opcion == QLatin1String("--clave-archivo") && !args.isEmpty()) {
            QString motivo;
            const auto clave = claveDeArchivo(args.takeFirst(), &motivo);
            if (!clave) {
                err << motivo << Qt::endl;
                return 2;
            }
            cred.clave = *clave;
        } else if (opcion == QLatin1String("--clave-entrada")) {
            cred.clave = lineaDeEntrada();
        } else {
            err << "Opción desconocida: " << opcion << "\n" << kUso;
            return 2;
        }
    }
    // The volume's posting is on unless asked off, wherever the flag stands.
    const bool sinContabilizar = args.value(0) == QLatin1String("volumen") &&
                                 args.removeAll(QStringLiteral("--sin-contabilizar")) > 0;
    const QString orden = args.value(0);
    const int n = int(args.size()) - 1;
    const bool esAdmin = orden == QLatin1String("usuario") && n >= 3 && args.last() == QLatin1String("--admin");
    const bool bien = (orden == QLatin1String("crear-general") && n == 1) ||
                      (orden == QLatin1String("crear-compania") && n == 2) ||
                      (orden == QLatin1String("actualizar") && n == 1) || (orden == QLatin1String("demo") && n == 1) ||
                      (orden == QLatin1String("disenos") && n == 1) ||
                      (orden == QLatin1String("respaldar") && (n == 1 || n == 2)) ||
                      (orden == QLatin1String("restaurar") && (n == 2 || n == 3)) ||
                      (orden == QLatin1String("usuario") && (n - (esAdmin ? 1 : 0) == 2 || n - (esAdmin ? 1 : 0) == 3)) ||
                      (orden == QLatin1String("volumen") && n >= 2 && n <= 5) ||
                      (orden == QLatin1String("replicar") && n == 2);
    if (!bien) {
        err << kUso;
        return 2;
    }
    Instalador inst(cred, out);
    try {
        if (orden == QLatin1String("crear-general")) inst.crearGeneral(args[1]);
        else if (orden == QLatin1String("crear-compania")) inst.crearCompania(args[1], args[2]);
        else if (orden == QLatin1String("actualizar")) return inst.actualizar(args[1]) == 0 ? 0 : 1;
        else if (orden == QLatin1String("respaldar")) inst.respaldar(args[1], args.value(2));
        else if (orden == QLatin1String("restaurar")) inst.restaurar(args[1], args[2], args.value(3));
        else if (orden == QLatin1String("demo")) inst.demo(args[1]);
        else if (orden == QLatin1String("disenos")) inst.disenos(args[1]);
        else if (orden == QLatin1String("replicar")) return inst.replicar(args[1], args[2]) == 0 ? 0 : 1;
        else if (orden == QLatin1String("volumen")) inst.volumen(args[1], args[2], args.mid(3), !sinContabilizar);
        else {
            const bool conClave = n - (esAdmin ? 1 : 0) == 3;
            if (conClave) err << kClaveVisible << Qt::endl;
            inst.usuario(args[1], args[2], conClave ? args[3] : lineaDeEntrada(), esAdmin);
        }
        return 0;
    } catch (const Rechazo& r) {
        err << r.mensaje << Qt::endl;
        return 2;
    } catch (const fb::DbError& e) {
        QString causa;
        switch (e.kind()) {
            case fb::ErrorKind::Network: causa = QStringLiteral("No se pudo llegar al servidor de base de datos."); break;
            case fb::ErrorKind::MissingFile: causa = QStringLiteral("No se encontró el archivo o la ruta."); break;
            case fb::ErrorKind::Login: causa = QStringLiteral("El nombre de usuario o la clave son incorrectos."); break;
            default: causa = QStringLiteral("Falló la base de datos."); break;
        }
        err << causa << "\n" << e.text() << Qt::endl;
        return 1;
    }
}

}  // namespace cxp::admin
