#pragma once

#include <sys/resource.h>

// CPU time and voluntary context switches (the times the process went to sleep and was
// woken) of this process, between two readings.
struct ProcessUsage
{
    double cpuSeconds = 0;
    long wakeUps = 0;
    long maxResidentKiB = 0;

    static ProcessUsage now()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        ProcessUsage result;
        result.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6
                            + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
        result.wakeUps = usage.ru_nvcsw;
        result.maxResidentKiB = usage.ru_maxrss;
        return result;
    }

    ProcessUsage operator-(const ProcessUsage &before) const
    {
        return {cpuSeconds - before.cpuSeconds, wakeUps - before.wakeUps,
                maxResidentKiB - before.maxResidentKiB};
    }
};
