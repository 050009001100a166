#include "common/help_topics.h"

#include "common/help_filter.h"

namespace {

struct TopicRange {
    int topic;
    int first;
    int last;
};

const int kFirstListedLibrary = 1051;
const int kLastListedLibrary = kFirstListedLibrary + kHelpListedLibraries - 1;

const TopicRange kTopics[] = {
    {101, 101, 105}, {101, 110, 110}, {101, 115, 199},
    {102, 106, 107},
    {103, 201, 201},
    {104, 202, 205},
    {105, 206, 206},
    {106, 218, 218},
    {107, 301, 308}, {107, 325, 326},
    {108, 315, 316},
    {110, 404, 499}, {110, 1100, 1499}, {110, 3101, 3199}, {110, 3401, 3499},
    {111, 504, 599}, {111, 1800, 1899}, {111, 1901, 1999}, {111, 3001, 3099},
    {113, 601, 604}, {113, 606, 607},
    {114, 713, 713},
    {115, 620, 623}, {115, 630, 633}, {115, 640, 643},
    {116, 609, 609},
    {117, 701, 703}, {117, 705, 705}, {117, 720, 725}, {117, 730, 732}, {117, 750, 752},
    {118, 706, 707},
    {119, 801, 899},
    {124, 3301, 3399},
    {125, 314, 314},
    {127, 1003, 1003}, {127, 1006, 1050}, {127, kLastListedLibrary + 1, 1099},
    {201, 709, 710},
    {202, 608, 608}, {202, 708, 708},
    {204, 711, 712},
    {206, 403, 403}, {206, 502, 502},
    {207, 1600, 1699},
    {208, 112, 113},
    {209, 2400, 2499},
    {210, 650, 654},
    {211, 908, 909},
    {212, 1001, 1001}, {212, kFirstListedLibrary, kLastListedLibrary},
    {213, 1002, 1002}, {213, 1004, 1004},
    {10006, 3201, 3299},
    {20003, 111, 111},
    {30000, 209, 209},
    {30023, 109, 109},
    {30025, 108, 108},
    {30026, 1005, 1005},
    {30028, 207, 207},
    {30029, 401, 401},
    {30030, 208, 208},
    {30035, 402, 402},
    {30036, 740, 741}, {30036, 745, 745},
    {30039, 501, 501},
    {30050, 760, 761}, {30050, 763, 764},
    {30055, 503, 503},
    {30056, 114, 114},
    // The Help menu, the hints and help mode itself; F1 (30001) too, so that
    // it still shows the noted topic while help mode is on.
    {kHelpMenuOwnsCommand, 901, 907}, {kHelpMenuOwnsCommand, 910, 999},
    {kHelpMenuOwnsCommand, kContextHelpCommand, kContextHelpCommand},
};

} // namespace

int HelpTopicForCommand(int commandId)
{
    for (const TopicRange& range : kTopics)
        if (commandId >= range.first && commandId <= range.last)
            return range.topic;
    return kHelpSearchTopic;
}
