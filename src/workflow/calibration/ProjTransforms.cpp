// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/calibration/ProjTransforms.h"

#include "core/Errors.h"

#include <QHash>

#include <proj.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// PROJ's functions, from its library loaded on the first ProjTransforms: a
// run that transforms nothing never loads PROJ and the many libraries it
// needs, a large part of a short run's start-up. Each is named once, without
// "proj_", and declared and looked up from this list.
#define TESSARINE_PROJ_FUNCTIONS(F)                                                                \
    F(context_create) F(context_destroy) F(context_set_enable_network) F(log_level) F(create)        \
    F(create_crs_to_crs) F(normalize_for_visualization) F(destroy) F(get_ellipsoid)                 \
    F(ellipsoid_get_parameters) F(trans) F(lp_dist) F(cleanup) F(crs_get_geodetic_crs)            \
    F(as_wkt)

struct ProjApi {
    void* library = nullptr;
#define TESSARINE_PROJ_MEMBER(name) decltype(&proj_##name) name = nullptr;
    TESSARINE_PROJ_FUNCTIONS(TESSARINE_PROJ_MEMBER)
#undef TESSARINE_PROJ_MEMBER
};

ProjApi& LoadedProj()
{
    static ProjApi api;
    return api;
}

const ProjApi& Proj()
{
    ProjApi& api = LoadedProj();
    if (api.library)
        return api;
    void* library = ::dlopen(TESSARINE_PROJ_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw TessError(QStringLiteral("PROJ cannot be loaded: ") + QString::fromLocal8Bit(::dlerror()));
    bool complete = true;
    const auto take = [&](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(library, name));
        complete = complete && function != nullptr;
    };
#define TESSARINE_PROJ_TAKE(name) take(api.name, "proj_" #name);
    TESSARINE_PROJ_FUNCTIONS(TESSARINE_PROJ_TAKE)
#undef TESSARINE_PROJ_TAKE
    if (!complete) {
        ::dlclose(library);
        throw TessError(QStringLiteral("PROJ cannot be loaded: " TESSARINE_PROJ_LIBRARY " lacks a function"));
    }
    api.library = library;
    return api;
}

// proj_coord, proj_torad and proj_todeg, which need no library.
PJ_COORD Coord(double a, double b)
{
    PJ_COORD c;
    c.v[0] = a;
    c.v[1] = b;
    c.v[2] = 0.0;
    c.v[3] = 0.0;
    return c;
}
double ToRad(double degrees) { return degrees * (std::numbers::pi / 180.0); }
double ToDeg(double radians) { return radians * (180.0 / std::numbers::pi); }

}  // namespace

void ReleaseProjLibrary()
{
    if (LoadedProj().library)
        LoadedProj().cleanup();
}

struct ProjTransforms::Impl {
    PJ_CONTEXT* ctx = nullptr;
    PJ* geodesic = nullptr;  // WGS 84 ellipsoid, for distances
    std::vector<PJ*> objects;
    QHash<QString, int> projections;
    QHash<QByteArray, int> transformations;
    QHash<QByteArray, QByteArray> geographic;  // a system's geographic system, as WKT
    QHash<int, std::optional<Ellipsoid>> ellipsoids;

    int keep(PJ* pj)
    {
        if (!pj)
            return -1;
        objects.push_back(pj);
        return static_cast<int>(objects.size()) - 1;
    }
};

namespace {

bool Usable(const PJ_COORD& c) { return std::isfinite(c.xy.x) && std::isfinite(c.xy.y); }

}  // namespace

ProjTransforms::ProjTransforms() : impl_(std::make_unique<Impl>())
{
    const ProjApi& proj = Proj();
    impl_->ctx = proj.context_create();
    proj.log_level(impl_->ctx, PJ_LOG_NONE);
    proj.context_set_enable_network(impl_->ctx, 0);
    impl_->geodesic = proj.create(impl_->ctx, "+proj=longlat +ellps=WGS84");
}

ProjTransforms::~ProjTransforms()
{
    const ProjApi& proj = Proj();
    for (PJ* pj : impl_->objects)
        proj.destroy(pj);
    proj.destroy(impl_->geodesic);
    proj.context_destroy(impl_->ctx);
}

std::optional<ProjTransforms::Ellipsoid> ProjTransforms::ellipsoid(int epsg)
{
    const auto cached = impl_->ellipsoids.constFind(epsg);
    if (cached != impl_->ellipsoids.constEnd())
        return *cached;
    const ProjApi& proj = Proj();
    std::optional<Ellipsoid> result;
    const QByteArray code = "EPSG:" + QByteArray::number(epsg);
    if (PJ* crs = proj.create(impl_->ctx, code.constData())) {
        if (PJ* ell = proj.get_ellipsoid(impl_->ctx, crs)) {
            double a = 0.0, b = 0.0, invF = 0.0;
            int computed = 0;
            if (proj.ellipsoid_get_parameters(impl_->ctx, ell, &a, &b, &computed, &invF))
                result = Ellipsoid{a, invF};
            proj.destroy(ell);
        }
        proj.destroy(crs);
    }
    impl_->ellipsoids.insert(epsg, result);
    return result;
}

int ProjTransforms::datum(int epsg)
{
    // No area of use: PROJ chooses among the candidate operations per point.
    return transformation("EPSG:" + QByteArray::number(epsg), "EPSG:4326");
}

int ProjTransforms::projection(const QString& proj)
{
    const auto cached = impl_->projections.constFind(proj);
    if (cached != impl_->projections.constEnd())
        return *cached;
    const int handle = impl_->keep(Proj().create(impl_->ctx, proj.toLatin1().constData()));
    impl_->projections.insert(proj, handle);
    return handle;
}

std::optional<TGeoPoint> ProjTransforms::toWgs84(int datum, TGeoPoint p)
{
    const auto q = transform(datum, {p.Lon, p.Lat});
    return q ? std::optional(TGeoPoint{q->y, q->x}) : std::nullopt;
}

std::optional<PlanePoint> ProjTransforms::forward(int projection, TGeoPoint p)
{
    if (projection < 0)
        return std::nullopt;
    const PJ_COORD in = Coord(ToRad(p.Lon), ToRad(p.Lat));
    const PJ_COORD out = Proj().trans(impl_->objects[static_cast<std::size_t>(projection)], PJ_FWD, in);
    if (!Usable(out))
        return std::nullopt;
    return PlanePoint{out.xy.x, out.xy.y};
}

std::optional<TGeoPoint> ProjTransforms::inverse(int projection, PlanePoint p, bool verify)
{
    if (projection < 0)
        return std::nullopt;
    PJ* pj = impl_->objects[static_cast<std::size_t>(projection)];
    const ProjApi& proj = Proj();
    const PJ_COORD out = proj.trans(pj, PJ_INV, Coord(p.x, p.y));
    if (!Usable(out))
        return std::nullopt;
    if (!verify)
        return TGeoPoint{ToDeg(out.lp.phi), ToDeg(out.lp.lam)};
    // Some inverses (Van der Grinten's) answer beyond the edge of the world
    // without an error; a point that does not come back is off the globe.
    const PJ_COORD again = proj.trans(pj, PJ_FWD, out);
    const double tolerance = 1e-7 * std::max({1.0, std::abs(p.x), std::abs(p.y)});
    if (!Usable(again) || std::hypot(again.xy.x - p.x, again.xy.y - p.y) > tolerance)
        return std::nullopt;
    return TGeoPoint{ToDeg(out.lp.phi), ToDeg(out.lp.lam)};
}

int ProjTransforms::transformation(const QByteArray& from, const QByteArray& to)
{
    const QByteArray key = from + '\0' + to;
    const auto cached = impl_->transformations.constFind(key);
    if (cached != impl_->transformations.constEnd())
        return *cached;
    const ProjApi& proj = Proj();
    PJ* raw = proj.create_crs_to_crs(impl_->ctx, from.constData(), to.constData(), nullptr);
    PJ* pj = raw ? proj.normalize_for_visualization(impl_->ctx, raw) : nullptr;
    proj.destroy(raw);
    const int handle = impl_->keep(pj);
    impl_->transformations.insert(key, handle);
    return handle;
}

std::optional<PlanePoint> ProjTransforms::transform(int transformation, PlanePoint p)
{
    if (transformation < 0 || !std::isfinite(p.x) || !std::isfinite(p.y))
        return std::nullopt;
    PJ* pj = impl_->objects[static_cast<std::size_t>(transformation)];
    // A point PROJ cannot carry comes back as HUGE_VAL.
    const PJ_COORD out = Proj().trans(pj, PJ_FWD, Coord(p.x, p.y));
    if (!Usable(out))
        return std::nullopt;
    return PlanePoint{out.xy.x, out.xy.y};
}

QByteArray ProjTransforms::geographicCrs(const QByteArray& crs)
{
    // Asked once per image of a collection that mostly shares one system.
    const auto cached = impl_->geographic.constFind(crs);
    if (cached != impl_->geographic.constEnd())
        return *cached;
    const ProjApi& proj = Proj();
    QByteArray wkt;
    if (PJ* object = proj.create(impl_->ctx, crs.constData())) {
        if (PJ* geodetic = proj.crs_get_geodetic_crs(impl_->ctx, object)) {
            if (const char* text = proj.as_wkt(impl_->ctx, geodetic, PJ_WKT2_2019, nullptr))
                wkt = text;
            proj.destroy(geodetic);
        }
        proj.destroy(object);
    }
    impl_->geographic.insert(crs, wkt);
    return wkt;
}

double ProjTransforms::distance(TGeoPoint p, TGeoPoint q)
{
    const PJ_COORD a = Coord(ToRad(p.Lon), ToRad(p.Lat));
    const PJ_COORD b = Coord(ToRad(q.Lon), ToRad(q.Lat));
    return Proj().lp_dist(impl_->geodesic, a, b);
}
