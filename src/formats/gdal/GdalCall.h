// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

// What every entry point of the GDAL module needs around its work: the
// drivers registered once for the process, and GDAL's messages kept from
// the terminal (its error handler is per thread) until the call returns.
class GdalCall {
public:
    GdalCall()
    {
        static std::once_flag registered;
        std::call_once(registered, [] { GDALAllRegister(); });
        CPLPushErrorHandler(CPLQuietErrorHandler);
    }
    GdalCall(const GdalCall&) = delete;
    GdalCall& operator=(const GdalCall&) = delete;
    ~GdalCall() { CPLPopErrorHandler(); }
};
