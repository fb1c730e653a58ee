#include "printing/reportes/Paginado.h"

#include "data/DataSet.h"

#include <QDateTime>

namespace cxp::reportes {

int Filas::columna(const QString& nombre) const {
    const QStringList c = columnas();
    for (int i = 0; i < c.size(); ++i)
        if (c[i].compare(nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int FilasDataSet::cuenta() const {
    return ds_.recordCount();
}

QStringList FilasDataSet::columnas() const {
    QStringList c;
    for (int i = 0; i < ds_.fieldCount(); ++i) c.append(ds_.field(i).name());
    return c;
}

fb::Value FilasDataSet::valor(int fila, int columna) const {
    return ds_.row(fila).value(columna);
}

Dinero comoDinero(const fb::Value& v) {
    if (v.is<int64_t>()) return Dinero::desdeEntero(v.toInt64());
    if (v.is<fb::Decimal>()) {
        const fb::Decimal d = v.toDecimal();
        return Dinero::desdeEscalado(d.unscaled, d.scale);
    }
    if (v.is<double>()) return Dinero::desdeTexto(QString::number(v.toDouble(), 'f', 4)).value_or(Dinero());
    return Dinero();
}

QString textoValor(const fb::Value& v, const Elemento& e) {
    if (v.isNull()) return {};
    switch (e.formato) {
    case FormatoValor::Numero: {
        const Dinero d = comoDinero(v);
        return e.ocultarCero && d.esCero() ? QString() : d.texto(e.decimales);
    }
    case FormatoValor::Fecha:
        if (v.is<QDate>()) return v.toDate().toString(e.patron);
        if (v.is<QDateTime>()) return v.toDateTime().toString(e.patron);
        return v.toString();
    case FormatoValor::Texto:
        break;
    }
    if (v.is<QDate>()) return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    QString t = v.toString().trimmed();
    return t;
}

namespace {

bool esAcumulado(const Elemento& e) {
    return e.clase == ClaseElemento::Suma || e.clase == ClaseElemento::Cuenta;
}

// Running sums and counts of one scope (a group level, the page, the report).
struct Acumulador {
    std::vector<Dinero> valores;
    void reiniciar() { std::fill(valores.begin(), valores.end(), Dinero()); }
};

}  // namespace

std::optional<Paginado> Paginado::preparar(const Informe& informe, const Filas& filas, const Ejecucion& ejecucion,
                                           QString* error, const std::function<bool(int)>& avance) {
    auto falla = [&](const QString& t) {
        if (error) *error = t;
        return std::nullopt;
    };
    Paginado p;
    p.informe_ = &informe;
    p.filas_ = &filas;
    p.ejecucion_ = ejecucion;
    // Band and text names are matched without regard to case.
    p.ejecucion_.textos.clear();
    for (auto it = ejecucion.textos.cbegin(); it != ejecucion.textos.cend(); ++it)
        p.ejecucion_.textos.insert(it.key().toLower(), it.value());
    QSet<QString> ocultas;
    for (const QString& b : ejecucion.ocultas) ocultas.insert(b.toLower());

    // Everything the screen names must be in the layout, and everything the
    // layout reads must be in the rows: a misspelt name is told, not
    // silently printed blank.
    for (const QString& b : ejecucion.ocultas)
        if (!informe.banda(b)) return falla(QStringLiteral("El informe %1 no tiene la banda %2").arg(informe.nombre, b));
    for (auto it = ejecucion.textos.cbegin(); it != ejecucion.textos.cend(); ++it) {
        bool esta = false;
        for (const Banda& b : informe.bandas)
            for (const Elemento& e : b.elementos)
                esta = esta || (e.clase == ClaseElemento::Texto && e.nombre.compare(it.key(), Qt::CaseInsensitive) == 0);
        if (!esta) return falla(QStringLiteral("El informe %1 no tiene el texto %2").arg(informe.nombre, it.key()));
    }
    // Sums and counts: one accumulator slot per element, the same slot in every scope.
    std::vector<int> columnasAcumuladas;  // slot -> column (-1 for a count)
    std::vector<std::vector<int>> slotBanda(informe.bandas.size());
    for (size_t bi = 0; bi < informe.bandas.size(); ++bi) {
        const Banda& b = informe.bandas[bi];
        std::vector<int> cols;
        for (const Elemento& e : b.elementos) {
            int c = -1;
            if (!e.columna.isEmpty()) {
                c = filas.columna(e.columna);
                if (c < 0)
                    return falla(QStringLiteral("El campo %1 de la banda %2 no está en los datos del informe %3")
                                     .arg(e.columna, b.nombre, informe.nombre));
            }
            cols.push_back(c);
            if (esAcumulado(e)) {
                slotBanda[bi].push_back(int(columnasAcumuladas.size()));
                columnasAcumuladas.push_back(e.clase == ClaseElemento::Cuenta ? -1 : c);
            }
        }
        p.columnasBanda_.push_back(std::move(cols));
    }

    auto visible = [&](const Banda& b) { return !ocultas.contains(b.nombre.toLower()); };
    // Group levels, outermost first; a level with no band shown makes no break.
    struct Nivel {
        int columna;
        std::vector<const Banda*> cabeceras;
        std::vector<const Banda*> pies;
        Acumulador acum;
    };
    std::vector<Nivel> niveles;
    for (const QString& g : informe.grupos()) {
        Nivel n;
        n.columna = filas.columna(g);
        if (n.columna < 0)
            return falla(QStringLiteral("El campo %1 de los grupos no está en los datos del informe %2").arg(g, informe.nombre));
        for (const Banda& b : informe.bandas) {
            if (!visible(b) || b.campo.compare(g, Qt::CaseInsensitive) != 0) continue;
            (b.clase == ClaseBanda::Grupo ? n.cabeceras : n.pies).push_back(&b);
        }
        if (n.cabeceras.empty() && n.pies.empty()) continue;
        n.acum.valores.assign(columnasAcumuladas.size(), Dinero());
        niveles.push_back(std::move(n));
    }
    Acumulador deInforme, dePagina;
    deInforme.valores.assign(columnasAcumuladas.size(), Dinero());
    dePagina.valores.assign(columnasAcumuladas.size(), Dinero());

    auto bandasDe = [&](ClaseBanda k) {
        std::vector<const Banda*> r;
        for (const Banda& b : informe.bandas)
            if (b.clase == k && visible(b)) r.push_back(&b);
        return r;
    };
    const auto titulos = bandasDe(ClaseBanda::Titulo);
    const auto encabezados = bandasDe(ClaseBanda::Encabezado);
    const auto detalles = bandasDe(ClaseBanda::Detalle);
    const auto resumenes = bandasDe(ClaseBanda::Resumen);
    const auto pies = bandasDe(ClaseBanda::Pie);
    double altoPie = 0;
    for (const Banda* b : pies) altoPie += b->alto;
    double altoDetalle = 0;
    for (const Banda* b : detalles) altoDetalle += b->alto;

    const double arriba = informe.margen;
    const double limite = informe.papel.height() - informe.margen - altoPie;
    if (limite - arriba < altoDetalle)
        return falla(QStringLiteral("El detalle del informe %1 no cabe en la página").arg(informe.nombre));
    double y = arriba;
    bool cuerpo = false;  // something besides the page's own headers is on it
    int filaActual = -1;

    auto valores = [&](const Banda* b, const Acumulador& a) {
        std::vector<Dinero> v;
        for (int s : slotBanda[size_t(b - informe.bandas.data())]) v.push_back(a.valores[size_t(s)]);
        return v;
    };
    auto cerrarPagina = [&] {
        double yp = informe.papel.height() - informe.margen - altoPie;
        for (const Banda* b : pies) {
            p.paginas_.back().bandas.push_back({b, filaActual, yp, valores(b, dePagina), true});
            yp += b->alto;
        }
        dePagina.reiniciar();
    };
    std::vector<bool> abierto(niveles.size(), false);
    bool detenido = false;
    auto abrirPagina = [&] {
        if (!p.paginas_.empty()) cerrarPagina();
        p.paginas_.emplace_back();
        if (avance && !avance(int(p.paginas_.size()))) detenido = true;
        y = arriba;
        cuerpo = false;
        auto poner = [&](const Banda* b, bool dePaginaNueva) {
            p.paginas_.back().bandas.push_back({b, filaActual, y, {}, dePaginaNueva});
            y += b->alto;
        };
        const bool primera = p.paginas_.size() == 1;
        if (primera)
            for (const Banda* b : titulos) poner(b, false);
        for (const Banda* b : encabezados) poner(b, !primera);
        for (size_t l = 0; l < niveles.size(); ++l)
            if (abierto[l])
                for (const Banda* b : niveles[l].cabeceras)
                    if (b->repetir) poner(b, true);
    };
    auto colocar = [&](const Banda* b, int fila, std::vector<Dinero> acumulados) {
        if (y + b->alto > limite + 1e-9 && cuerpo) abrirPagina();
        p.paginas_.back().bandas.push_back({b, fila, y, std::move(acumulados), false});
        y += b->alto;
        cuerpo = true;
    };
    auto cerrarNiveles = [&](size_t desde, int ultima) {
        for (size_t l = niveles.size(); l-- > desde;) {
            for (const Banda* b : niveles[l].pies) colocar(b, ultima, valores(b, niveles[l].acum));
            niveles[l].acum.reiniciar();
            abierto[l] = false;
        }
    };

    abrirPagina();
    const int n = filas.cuenta();
    for (int i = 0; i < n; ++i) {
        if (detenido) return falla(QString());
        size_t cambia = niveles.size();
        for (size_t l = 0; l < niveles.size(); ++l)
            if (i == 0 || !(filas.valor(i, niveles[l].columna) == filas.valor(i - 1, niveles[l].columna))) {
                cambia = l;
                break;
            }
        if (i > 0) cerrarNiveles(cambia, i - 1);
        filaActual = i;
        bool saltar = false;
        for (size_t l = cambia; i > 0 && l < niveles.size(); ++l)
            for (const Banda* b : niveles[l].cabeceras) saltar = saltar || b->saltar;
        if (saltar && cuerpo) abrirPagina();
        // A group header never ends a page alone: it goes with its first row.
        double juntos = altoDetalle;
        for (size_t l = cambia; l < niveles.size(); ++l)
            for (const Banda* b : niveles[l].cabeceras) juntos += b->alto;
        if (y + juntos > limite + 1e-9 && cuerpo) abrirPagina();
        for (size_t l = cambia; l < niveles.size(); ++l) {
            for (const Banda* b : niveles[l].cabeceras) colocar(b, i, {});
            abierto[l] = true;
        }
        for (size_t s = 0; s < columnasAcumuladas.size(); ++s) {
            const int c = columnasAcumuladas[s];
            const Dinero v = c < 0 ? Dinero::desdeEntero(1) : comoDinero(filas.valor(i, c));
            for (Nivel& nv : niveles) nv.acum.valores[s] += v;
            deInforme.valores[s] += v;
            dePagina.valores[s] += v;
        }
        for (const Banda* b : detalles) colocar(b, i, {});
    }
    if (n > 0) cerrarNiveles(0, n - 1);
    for (const Banda* b : resumenes) colocar(b, n > 0 ? n - 1 : -1, valores(b, deInforme));
    cerrarPagina();
    return p;
}

std::vector<std::vector<Dinero>> Paginado::sumasDe(const QString& banda) const {
    std::vector<std::vector<Dinero>> r;
    for (const Pagina& pg : paginas_)
        for (const Colocacion& c : pg.bandas)
            if (c.banda->nombre.compare(banda, Qt::CaseInsensitive) == 0 && !c.acumulados.empty())
                r.push_back(c.acumulados);
    return r;
}

QString Paginado::sustituir(const QString& texto, int pagina) const {
    if (!texto.contains(u'{')) return texto;
    QString r = texto;
    for (const QString& n : parametrosConocidos()) {
        const QString marca = u'{' + n + u'}';
        if (!r.contains(marca)) continue;
        QString v;
        if (n == QLatin1String("pagina"))
            v = QString::number(pagina);
        else if (n == QLatin1String("paginas"))
            v = QString::number(paginas());
        else if (n == QLatin1String("fecha") && !ejecucion_.parametros.contains(n))
            v = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        else if (n == QLatin1String("hora") && !ejecucion_.parametros.contains(n))
            v = QTime::currentTime().toString(QStringLiteral("HH:mm"));
        else
            v = ejecucion_.parametros.value(n);
        r.replace(marca, v);
    }
    return r;
}

QString Paginado::textoElemento(const Colocacion& c, size_t i, size_t& acumulado, int pagina, fb::Value* valor) const {
    const Elemento& e = c.banda->elementos[i];
    QString t;
    switch (e.clase) {
    case ClaseElemento::Linea:
    case ClaseElemento::Cuadro:
        return {};
    case ClaseElemento::Texto: {
        const auto it = e.nombre.isEmpty() ? ejecucion_.textos.cend() : ejecucion_.textos.constFind(e.nombre.toLower());
        t = sustituir(it != ejecucion_.textos.cend() ? *it : e.texto, pagina);
        break;
    }
    case ClaseElemento::Campo:
        if (c.fila >= 0) {
            const fb::Value v = filas_->valor(c.fila, columnasBanda_[size_t(c.banda - informe_->bandas.data())][i]);
            t = textoValor(v, e);
            if (valor) *valor = v;
        }
        break;
    case ClaseElemento::Suma:
    case ClaseElemento::Cuenta: {
        const Dinero v = acumulado < c.acumulados.size() ? c.acumulados[acumulado] : Dinero();
        ++acumulado;
        t = e.ocultarCero && v.esCero() ? QString() : v.texto(e.decimales);
        if (valor) *valor = toValue(v);
        break;
    }
    }
    if (e.largo > 0 && t.size() > e.largo) t.truncate(e.largo);
    return t;
}

void Paginado::dibujarBanda(const Colocacion& c, int pagina, Lienzo& lienzo) const {
    const double x0 = informe_->margen;
    size_t acumulado = 0;
    for (size_t i = 0; i < c.banda->elementos.size(); ++i) {
        const Elemento& e = c.banda->elementos[i];
        const QPointF p(x0 + e.x, c.y + e.y);
        if (e.clase == ClaseElemento::Linea) {
            lienzo.linea(p, QPointF(x0 + e.x2, c.y + e.y2), 1);
            continue;
        }
        if (e.clase == ClaseElemento::Cuadro) {
            lienzo.cuadro(QRectF(p, QPointF(x0 + e.x2, c.y + e.y2)), 1);
            continue;
        }
        const QString t = textoElemento(c, i, acumulado, pagina, nullptr);
        if (!t.isEmpty())
            lienzo.texto(p, t, FuenteTexto{e.fuente, e.puntos}, e.derecha ? Alineacion::Derecha : Alineacion::Izquierda);
    }
}

void Paginado::recorrer(const std::function<void(const Pieza&)>& f) const {
    for (size_t pg = 0; pg < paginas_.size(); ++pg)
        for (const Colocacion& c : paginas_[pg].bandas) {
            size_t acumulado = 0;
            for (size_t i = 0; i < c.banda->elementos.size(); ++i) {
                const Elemento& e = c.banda->elementos[i];
                if (e.clase == ClaseElemento::Linea || e.clase == ClaseElemento::Cuadro) continue;
                Pieza p{c.banda, &e, int(pg) + 1, c.y + e.y, c.dePagina, {}, {}};
                p.texto = textoElemento(c, i, acumulado, int(pg) + 1, &p.valor);
                f(p);
            }
        }
}

void Paginado::dibujar(Lienzo& lienzo) const {
    for (size_t i = 0; i < paginas_.size(); ++i) {
        if (i > 0) lienzo.nuevaPagina();
        dibujarPagina(int(i), lienzo);
    }
}

void Paginado::dibujarPagina(int pagina, Lienzo& lienzo) const {
    if (pagina < 0 || pagina >= paginas()) return;
    for (const Colocacion& c : paginas_[size_t(pagina)].bandas) dibujarBanda(c, pagina + 1, lienzo);
}

}  // namespace cxp::reportes
