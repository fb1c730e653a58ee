#include "printing/reportes/Diseno.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace cxp::reportes {

const QStringList& parametrosConocidos() {
    static const QStringList p{QStringLiteral("nomcia"),      QStringLiteral("nitcia"),     QStringLiteral("titulo"),
                               QStringLiteral("subtitulo"),   QStringLiteral("usuario"),    QStringLiteral("fechainicio"),
                               QStringLiteral("fechafinal"),  QStringLiteral("pagina"),     QStringLiteral("paginas"),
                               QStringLiteral("fecha"),       QStringLiteral("hora")};
    return p;
}

const Banda* Informe::banda(const QString& n) const {
    for (const Banda& b : bandas)
        if (b.nombre.compare(n, Qt::CaseInsensitive) == 0) return &b;
    return nullptr;
}

QStringList Informe::grupos() const {
    QStringList g;
    for (const Banda& b : bandas)
        if ((b.clase == ClaseBanda::Grupo || b.clase == ClaseBanda::PieGrupo) && !g.contains(b.campo, Qt::CaseInsensitive))
            g.append(b.campo);
    return g;
}

const Informe* Diseno::informe(const QString& n) const {
    for (const Informe& i : informes_)
        if (i.nombre.compare(n, Qt::CaseInsensitive) == 0) return &i;
    return nullptr;
}

namespace {

struct Falla {
    QString texto;
};

std::optional<ClaseBanda> claseBanda(const QString& c) {
    static const std::pair<const char*, ClaseBanda> clases[] = {
        {"titulo", ClaseBanda::Titulo},     {"encabezado", ClaseBanda::Encabezado}, {"grupo", ClaseBanda::Grupo},
        {"detalle", ClaseBanda::Detalle},   {"pie_grupo", ClaseBanda::PieGrupo},    {"resumen", ClaseBanda::Resumen},
        {"pie", ClaseBanda::Pie}};
    for (const auto& [n, k] : clases)
        if (c == QLatin1String(n)) return k;
    return std::nullopt;
}

class Lector {
public:
    explicit Lector(const QByteArray& xml) : r_(xml) {}

    std::vector<Informe> leer() {
        if (!siguienteInicio() || r_.name() != QLatin1String("informes"))
            fallar(QStringLiteral("El archivo no es un diseño de informes (falta <informes>)"));
        std::vector<Informe> informes;
        while (siguienteHijo()) {
            esperar(QStringLiteral("informe"), QStringLiteral("<informes>"));
            informes.push_back(informe());
            for (size_t i = 0; i + 1 < informes.size(); ++i)
                if (informes[i].nombre.compare(informes.back().nombre, Qt::CaseInsensitive) == 0)
                    fallar(QStringLiteral("El informe %1 está repetido").arg(informes.back().nombre));
        }
        if (informes.empty()) fallar(QStringLiteral("El diseño no tiene informes"));
        return informes;
    }

    QString dondeVa() const { return QStringLiteral(" (línea %1)").arg(r_.lineNumber()); }

private:
    [[noreturn]] void fallar(const QString& t) { throw Falla{t + dondeVa()}; }

    // Moves to the next start element; false at the end of the parent.
    bool siguienteHijo() {
        while (!r_.atEnd()) {
            r_.readNext();
            if (r_.isStartElement()) return true;
            if (r_.isEndElement()) return false;
            if (r_.isCharacters() && !r_.isWhitespace())
                fallar(QStringLiteral("Texto fuera de lugar \"%1\"").arg(r_.text().toString().trimmed()));
        }
        if (r_.hasError()) fallar(QStringLiteral("XML mal formado: ") + r_.errorString());
        return false;
    }
    bool siguienteInicio() {
        while (!r_.atEnd()) {
            r_.readNext();
            if (r_.isStartElement()) return true;
        }
        if (r_.hasError()) fallar(QStringLiteral("XML mal formado: ") + r_.errorString());
        return false;
    }

    void esperar(const QString& nombre, const QString& dentro) {
        if (r_.name() != nombre)
            fallar(QStringLiteral("Elemento desconocido <%1> en %2").arg(r_.name().toString(), dentro));
    }

    void atributosPermitidos(const QStringList& permitidos, const QString& dentro) {
        for (const auto& a : r_.attributes())
            if (!permitidos.contains(a.name().toString()))
                fallar(QStringLiteral("Atributo desconocido \"%1\" en %2").arg(a.name().toString(), dentro));
    }

    QString atributo(const char* n) const { return r_.attributes().value(QLatin1String(n)).toString(); }

    QString requerido(const char* n, const QString& dentro) {
        const QString v = atributo(n).trimmed();
        if (v.isEmpty()) fallar(QStringLiteral("Falta el atributo \"%1\" en %2").arg(QLatin1String(n), dentro));
        return v;
    }

    double numero(const char* n, double omision, const QString& dentro) {
        const QString v = atributo(n).trimmed();
        if (v.isEmpty()) return omision;
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok || d < 0 || d > 100)
            fallar(QStringLiteral("Valor \"%1\" no válido para \"%2\" en %3").arg(v, QLatin1String(n), dentro));
        return d;
    }

    bool siNo(const char* n, const QString& dentro) {
        const QString v = atributo(n).trimmed().toUpper();
        if (v.isEmpty() || v == u'N') return false;
        if (v == u'S') return true;
        fallar(QStringLiteral("\"%1\" en %2 debe ser S o N").arg(QLatin1String(n), dentro));
    }

    Informe informe() {
        Informe inf;
        atributosPermitidos({"nombre", "papel", "margen", "fuente"}, QStringLiteral("<informe>"));
        inf.nombre = requerido("nombre", QStringLiteral("<informe>"));
        const QString donde = QStringLiteral("el informe ") + inf.nombre;
        if (const QString p = atributo("papel").trimmed(); !p.isEmpty()) {
            const QStringList partes = p.split(u'x');
            bool a = false, b = false;
            const double an = partes.value(0).toDouble(&a), al = partes.value(1).toDouble(&b);
            if (partes.size() != 2 || !a || !b || an < 2 || al < 2 || an > 40 || al > 40)
                fallar(QStringLiteral("Papel \"%1\" no válido en %2 (ancho x alto en pulgadas)").arg(p, donde));
            inf.papel = QSizeF(an, al);
        }
        inf.margen = numero("margen", inf.margen, donde);
        if (const QString f = atributo("fuente").trimmed(); !f.isEmpty()) inf.fuente = f;
        bool conPagina = false;
        while (siguienteHijo()) {
            esperar(QStringLiteral("pagina"), donde);
            if (conPagina) fallar(QStringLiteral("El informe %1 tiene más de una página").arg(inf.nombre));
            conPagina = true;
            atributosPermitidos({"nombre"}, QStringLiteral("la página de ") + donde);
            inf.pagina = requerido("nombre", QStringLiteral("la página de ") + donde);
            if (inf.pagina.compare(inf.nombre + QStringLiteral(".Page1"), Qt::CaseInsensitive) != 0)
                fallar(QStringLiteral("La página de %1 debe llamarse %1.Page1").arg(inf.nombre));
            while (siguienteHijo()) {
                esperar(QStringLiteral("banda"), QStringLiteral("la página ") + inf.pagina);
                inf.bandas.push_back(banda(inf));
            }
        }
        if (!conPagina) fallar(QStringLiteral("El informe %1 no tiene página").arg(inf.nombre));
        if (std::none_of(inf.bandas.begin(), inf.bandas.end(), [](const Banda& b) { return b.clase == ClaseBanda::Detalle; }))
            fallar(QStringLiteral("El informe %1 no tiene banda de detalle").arg(inf.nombre));
        return inf;
    }

    Banda banda(const Informe& inf) {
        Banda b;
        const QString dentro = QStringLiteral("el informe ") + inf.nombre;
        atributosPermitidos({"nombre", "clase", "campo", "alto", "repetir", "saltar"}, QStringLiteral("una banda de ") + dentro);
        b.nombre = requerido("nombre", QStringLiteral("una banda de ") + dentro);
        if (inf.banda(b.nombre)) fallar(QStringLiteral("La banda %1 está repetida en %2").arg(b.nombre, dentro));
        const QString clase = atributo("clase").trimmed().isEmpty() ? b.nombre : atributo("clase").trimmed();
        const auto k = claseBanda(clase);
        if (!k) fallar(QStringLiteral("Banda desconocida \"%1\" en %2").arg(clase, dentro));
        b.clase = *k;
        const QString donde = QStringLiteral("la banda ") + b.nombre;
        b.alto = numero("alto", b.alto, donde);
        b.repetir = siNo("repetir", donde);
        b.saltar = siNo("saltar", donde);
        b.campo = atributo("campo").trimmed().toUpper();
        const bool deGrupo = b.clase == ClaseBanda::Grupo || b.clase == ClaseBanda::PieGrupo;
        if (deGrupo && b.campo.isEmpty()) fallar(QStringLiteral("La banda de grupo %1 no dice su campo").arg(b.nombre));
        if (!deGrupo && !b.campo.isEmpty()) fallar(QStringLiteral("La banda %1 no es de grupo y tiene campo").arg(b.nombre));
        while (siguienteHijo()) b.elementos.push_back(elemento(inf, b));
        return b;
    }

    Elemento elemento(const Informe& inf, const Banda& b) {
        Elemento e;
        const QString donde = QStringLiteral("la banda ") + b.nombre;
        const QString n = r_.name().toString();
        static const QStringList comunes{"nombre", "x", "y", "alinear", "fuente", "puntos", "formato",
                                         "decimales", "patron", "largo", "ocultarcero"};
        if (n == QLatin1String("linea") || n == QLatin1String("cuadro")) {
            e.clase = n == QLatin1String("linea") ? ClaseElemento::Linea : ClaseElemento::Cuadro;
            atributosPermitidos({"x1", "y1", "x2", "y2"}, QStringLiteral("<%1> de %2").arg(n, donde));
            e.x = numero("x1", 0, donde);
            e.y = numero("y1", 0, donde);
            e.x2 = numero("x2", 0, donde);
            e.y2 = numero("y2", 0, donde);
            saltarContenido(n, donde);
            return e;
        }
        if (n == QLatin1String("texto"))
            e.clase = ClaseElemento::Texto;
        else if (n == QLatin1String("campo"))
            e.clase = ClaseElemento::Campo;
        else if (n == QLatin1String("suma"))
            e.clase = ClaseElemento::Suma;
        else if (n == QLatin1String("cuenta"))
            e.clase = ClaseElemento::Cuenta;
        else
            fallar(QStringLiteral("Elemento desconocido <%1> en %2").arg(n, donde));
        QStringList permitidos = comunes;
        if (e.clase != ClaseElemento::Texto) permitidos << QStringLiteral("columna");
        atributosPermitidos(permitidos, QStringLiteral("<%1> de %2").arg(n, donde));
        e.nombre = atributo("nombre").trimmed();
        e.x = numero("x", 0, donde);
        e.y = numero("y", 0, donde);
        const QString al = atributo("alinear").trimmed();
        if (!al.isEmpty() && al != QLatin1String("izquierda") && al != QLatin1String("derecha"))
            fallar(QStringLiteral("Alineación \"%1\" no válida en %2").arg(al, donde));
        e.derecha = al == QLatin1String("derecha");
        e.fuente = atributo("fuente").trimmed().isEmpty() ? inf.fuente : atributo("fuente").trimmed();
        e.puntos = int(numero("puntos", 8, donde));
        if (e.puntos < 4) fallar(QStringLiteral("Tamaño de letra muy pequeño en ") + donde);
        const QString f = atributo("formato").trimmed();
        if (f.isEmpty() || f == QLatin1String("texto"))
            e.formato = FormatoValor::Texto;
        else if (f == QLatin1String("numero"))
            e.formato = FormatoValor::Numero;
        else if (f == QLatin1String("fecha"))
            e.formato = FormatoValor::Fecha;
        else
            fallar(QStringLiteral("Formato desconocido \"%1\" en %2").arg(f, donde));
        e.decimales = int(numero("decimales", e.clase == ClaseElemento::Cuenta ? 0 : 2, donde));
        if (e.decimales > 4) fallar(QStringLiteral("Más de cuatro decimales en ") + donde);
        e.patron = atributo("patron").trimmed().isEmpty() ? QStringLiteral("dd/MM/yyyy") : atributo("patron").trimmed();
        e.largo = int(numero("largo", 0, donde));
        e.ocultarCero = siNo("ocultarcero", donde);
        if (e.clase == ClaseElemento::Texto) {
            e.texto = r_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (r_.hasError()) fallar(QStringLiteral("Texto mal formado en ") + donde);
            static const QRegularExpression llave(QStringLiteral("\\{([^{}]*)\\}"));
            for (auto m = llave.globalMatch(e.texto); m.hasNext();) {
                const QString p = m.next().captured(1);
                if (!parametrosConocidos().contains(p))
                    fallar(QStringLiteral("Parámetro desconocido \"%1\" en %2").arg(p, donde));
            }
            return e;
        }
        e.columna = requerido("columna", QStringLiteral("<%1> de %2").arg(n, donde)).toUpper();
        const bool acumula = e.clase == ClaseElemento::Suma || e.clase == ClaseElemento::Cuenta;
        if (acumula && b.clase != ClaseBanda::PieGrupo && b.clase != ClaseBanda::Resumen && b.clase != ClaseBanda::Pie)
            fallar(QStringLiteral("Una <%1> solo va en un pie de grupo, el resumen o el pie de página (%2)").arg(n, donde));
        if (e.clase == ClaseElemento::Suma && e.formato == FormatoValor::Texto) e.formato = FormatoValor::Numero;
        saltarContenido(n, donde);
        return e;
    }

    void saltarContenido(const QString& n, const QString& donde) {
        if (siguienteHijo()) fallar(QStringLiteral("Elemento <%1> dentro de <%2> en %3").arg(r_.name().toString(), n, donde));
    }

    QXmlStreamReader r_;
};

}  // namespace

std::optional<Diseno> Diseno::leer(const QByteArray& xml, QString* error) {
    Lector lector(xml);
    try {
        Diseno d;
        d.informes_ = lector.leer();
        return d;
    } catch (const Falla& f) {
        if (error) *error = f.texto;
        return std::nullopt;
    }
}

std::optional<Diseno> Diseno::leerArchivo(const QString& ruta, QString* error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("No se encontró el diseño de informe ") + ruta;
        return std::nullopt;
    }
    QString motivo;
    auto d = leer(f.readAll(), &motivo);
    if (!d && error) *error = ruta + QStringLiteral(": ") + motivo;
    return d;
}

}  // namespace cxp::reportes
