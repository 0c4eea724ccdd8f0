// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>

// CPU time and voluntary context switches (the times the process went to sleep and was
// woken) of this process, between two readings.
struct ProcessUsage
{
    double cpuSeconds = 0;
    long wakeUps = 0;
    long maxResidentKiB = 0;
    long pageFaults = 0; // minor and major: pages the process touched that were not mapped

    static ProcessUsage now()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        ProcessUsage result;
        result.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6
                            + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
        result.wakeUps = usage.ru_nvcsw;
        result.maxResidentKiB = usage.ru_maxrss;
        result.pageFaults = usage.ru_minflt + usage.ru_majflt;
        return result;
    }

    // The peak resident memory (VmHWM) starts again from what is resident now, so that the
    // next reading of peakResidentKiB() is the peak of what runs in between (Linux).
    static void resetPeak()
    {
        if (std::FILE *file = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", file);
            std::fclose(file);
        }
    }

    static long peakResidentKiB()
    {
        long kib = -1;
        if (std::FILE *file = std::fopen("/proc/self/status", "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, file)) {
                if (std::strncmp(line, "VmHWM:", 6) == 0)
                    kib = std::atol(line + 6);
            }
            std::fclose(file);
        }
        return kib;
    }

    // CPU time of the calling thread, in seconds.
    static double threadCpuSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec + now.tv_nsec / 1e9;
    }

    ProcessUsage operator-(const ProcessUsage &before) const
    {
        return {cpuSeconds - before.cpuSeconds, wakeUps - before.wakeUps,
                maxResidentKiB - before.maxResidentKiB, pageFaults - before.pageFaults};
    }
};
