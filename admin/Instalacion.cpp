#include "admin/Instalacion.h"
#include "admin/Volumen.h"

#include "base/Rutas.h"
#include "base/Sql.h"
#include "db/Esquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <cstdio>
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

void Instalador::actualizar(const QString& ubicacionDada) {
    const QString ubicacion = absoluta(ubicacionDada);
    fb::Database general = fb::Database::attach(params(rutas::general(ubicacion)));
    auto informe = [&](const QString& nombre, const QStringList& aplicados) {
        out_ << nombre << ": "
             << (aplicados.isEmpty() ? QStringLiteral("al día") : QStringLiteral("aplicados ") + aplicados.join(", "))
             << Qt::endl;
    };
    informe(QStringLiteral("general"), esquema::actualizar(general, Base::General));
    for (const QString& codigo : companias(ubicacion, general)) {
        const QString ruta = rutas::compania(ubicacion, codigo);
        fb::Database db = fb::Database::attach(params(ruta));
        informe(QStringLiteral("compañía ") + codigo, esquema::actualizar(db, Base::Compania));
    }
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
        fb::Database compania = crear(rutaCompania);
        esquema::actualizar(compania, Base::Compania);
        esquema::ejecutar(compania, esquema::guionDemo(Base::Compania));
        hermana(compania, dir);
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
    out_ << "Instalación de demostración lista en " << dir << Qt::endl
         << "  general:  " << rutaGeneral << Qt::endl
         << "  compañía: " << rutaCompania << Qt::endl
         << "  compañía hermana: " << rutas::compania(dir, kHermana) << Qt::endl;
}

void Instalador::volumen(const QString& ubicacion, const QString& codigo, const QStringList& tamano) {
    if (!codigoValido(codigo))
        throw Rechazo(QStringLiteral("El código de compañía \"%1\" no es válido (tres letras o dígitos).").arg(codigo));
    OpcionesVolumen op;
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
    const ResumenVolumen r = generarVolumen(db, op, &out_);
    out_ << r.acreedores << " acreedores, " << r.documentos << " documentos (" << r.anulados << " anulados), "
         << r.lineas << " cruces." << Qt::endl;
}

void Instalador::usuario(const QString& ubicacion, const QString& nombre, const QString& clave) {
    if (!sql::esIdentificador(nombre) || nombre.contains(QLatin1Char('.')))
        throw Rechazo(QStringLiteral("El nombre de usuario \"%1\" no es válido.").arg(nombre));
    if (clave.isEmpty()) throw Rechazo(QStringLiteral("La clave no puede estar vacía."));
    fb::Database db = fb::Database::attach(params(rutas::general(absoluta(ubicacion))));
    db.executeDirect(QStringLiteral("CREATE OR ALTER USER %1 PASSWORD %2 USING PLUGIN Srp")
                         .arg(nombre.toUpper(), sql::texto(clave)));
    out_ << "Usuario " << nombre.toUpper() << " listo en el servidor." << Qt::endl;
}

namespace {

const char* kUso =
    "Uso: cxpagar-admin [--usuario U] [--clave-archivo F | --clave-entrada | --clave C] ORDEN ...\n"
    "  crear-general UBICACION           crea UBICACION/datos/general.fdb\n"
    "  crear-compania UBICACION CODIGO   crea UBICACION/datos/CODIGO/quelmar.fdb\n"
    "  actualizar UBICACION              aplica los guiones nuevos a todas las bases\n"
    "  demo DIRECTORIO                   instalación de demostración en DIRECTORIO\n"
    "  usuario UBICACION NOMBRE [CLAVE]  crea o cambia un usuario del servidor; sin CLAVE,\n"
    "                                    la lee de una línea de la entrada estándar\n"
    "  volumen UBICACION CODIGO [ACREEDORES [DOCUMENTOS [SEMILLA]]]\n"
    "                                    llena la compañía con datos generados de cuentas por pagar\n"
    "                                    (1000 acreedores y 1000000 documentos si no se indican)\n"
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
    const QString orden = args.value(0);
    const int n = int(args.size()) - 1;
    const bool bien = (orden == QLatin1String("crear-general") && n == 1) ||
                      (orden == QLatin1String("crear-compania") && n == 2) ||
                      (orden == QLatin1String("actualizar") && n == 1) || (orden == QLatin1String("demo") && n == 1) ||
                      (orden == QLatin1String("usuario") && (n == 2 || n == 3)) ||
                      (orden == QLatin1String("volumen") && n >= 2 && n <= 5);
    if (!bien) {
        err << kUso;
        return 2;
    }
    Instalador inst(cred, out);
    try {
        if (orden == QLatin1String("crear-general")) inst.crearGeneral(args[1]);
        else if (orden == QLatin1String("crear-compania")) inst.crearCompania(args[1], args[2]);
        else if (orden == QLatin1String("actualizar")) inst.actualizar(args[1]);
        else if (orden == QLatin1String("demo")) inst.demo(args[1]);
        else if (orden == QLatin1String("volumen")) inst.volumen(args[1], args[2], args.mid(3));
        else {
            if (n == 3) err << kClaveVisible << Qt::endl;
            inst.usuario(args[1], args[2], n == 3 ? args[3] : lineaDeEntrada());
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
