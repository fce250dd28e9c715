// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A METAR data service on the loopback test server that keeps the real
// service's limits: it answers "?ids=A,B&format=raw&hours=N" with the
// reports of those stations of the last N hours, newest first across
// stations, and cuts every answer at its cap. Histories are made from the
// real half-hourly reports of Seoul Incheon (tests/data/download/metar-
// history), each line given the station's code and a time of its own.

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "http_test_server.h"
#include "platform/core/civil_time.h"
#include "test_support.h"

namespace ventoral::test {

class MetarService {
public:
    // The service's path on server is "/api/data/metar"; now is its UTC clock.
    MetarService(HttpTestServer& server, const CivilTime& nowUtc, int cap) : m_now(nowUtc), m_cap(cap)
    {
        server.handle(std::string(kPath) + "?", [this](const std::string& path) { return answer(path); });
    }

    static constexpr const char* kPath = "/api/data/metar";

    // A station reporting every intervalMinutes for the last hours hours, at
    // the minute offset past the hour and every interval from it; the real
    // report bodies repeat.
    void reportEvery(const std::string& code, int intervalMinutes, int hours = 30, int offset = 20)
    {
        const std::vector<std::string> bodies = realBodies();
        const std::int64_t now = m_now.minutesSinceEpoch();
        std::int64_t t = now - (((now - offset) % intervalMinutes) + intervalMinutes) % intervalMinutes;
        for (std::size_t n = 0; t > m_now.minutesSinceEpoch() - hours * 60; t -= intervalMinutes, ++n)
            add(code, CivilTime::fromMinutes(t), bodies[n % bodies.size()]);
    }
    // One report of a station at a time, with the groups after the time.
    void add(const std::string& code, const CivilTime& at, const std::string& groups, const char* type = "METAR")
    {
        char time[16];
        std::snprintf(time, sizeof time, "%02d%02d%02dZ", at.day, at.hour, at.minute);
        m_reports.push_back({at.minutesSinceEpoch(), code, std::string(type) + " " + code + " " + time + " " + groups});
    }

    int requests() const { return m_requests; }
    // The station lists asked for, one request each.
    const std::vector<std::string>& askedFor() const { return m_asked; }
    void setCap(int cap) { m_cap = cap; }

private:
    struct Report {
        std::int64_t minute;
        std::string code;
        std::string line;
    };

    // The groups after the time of each real report.
    static std::vector<std::string> realBodies()
    {
        std::vector<std::string> bodies;
        std::istringstream lines(readData("download/metar-history/RKSI-20260618.txt"));
        for (std::string line; std::getline(lines, line);) {
            const auto z = line.find("Z ");
            if (z != std::string::npos)
                bodies.push_back(line.substr(z + 2));
        }
        return bodies;
    }

    static std::string parameter(const std::string& path, const std::string& name)
    {
        const auto at = path.find(name + "=");
        if (at == std::string::npos)
            return {};
        const auto start = at + name.size() + 1;
        return path.substr(start, path.find('&', start) - start);
    }

    HttpResponse answer(const std::string& path)
    {
        ++m_requests;
        const std::string ids = parameter(path, "ids");
        m_asked.push_back(ids);
        const int hours = std::stoi("0" + parameter(path, "hours"));
        std::vector<std::string> codes;
        std::istringstream list(ids);
        for (std::string code; std::getline(list, code, ',');)
            codes.push_back(code);
        std::vector<Report> found;
        for (const Report& r : m_reports)
            if (std::find(codes.begin(), codes.end(), r.code) != codes.end() &&
                r.minute > m_now.minutesSinceEpoch() - hours * 60 && r.minute <= m_now.minutesSinceEpoch())
                found.push_back(r);
        std::stable_sort(found.begin(), found.end(), [](const Report& a, const Report& b) { return a.minute > b.minute; });
        if (static_cast<int>(found.size()) > m_cap)
            found.resize(static_cast<std::size_t>(m_cap));
        std::string body;
        for (const Report& r : found)
            body += r.line + "\n";
        return HttpResponse(200, body);
    }

    CivilTime m_now;
    int m_cap;
    std::vector<Report> m_reports;
    int m_requests = 0;
    std::vector<std::string> m_asked;
};

} // namespace ventoral::test
