#include "core/commands/default_commands.h"

#include <string_view>

#include "core/commands/key_name_table.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

struct DefaultRow {
  int list_flags;
  int category;
  int id;
  KeyBinding first;
  KeyBinding second;
  std::string_view gestures_utf8;
};

// Lists, category, command, key 1, key 2, gestures.
constexpr DefaultRow kRows[] = {
    {list_flag::kBoth, 2001, 32798, {0, vk::kF1 + 10}, {}, "↑→↑"},
    {list_flag::kBoth, 2001, 59148, {}, {}, "↓→↓"},
    {list_flag::kBoth, 2001, 32832, {modifier::kCtrl, vk::kAdd}, {}, ""},
    {list_flag::kBoth, 2001, 32833, {modifier::kCtrl, vk::kSubtract}, {}, ""},
    {list_flag::kBoth, 2002, 32793, {modifier::kAlt, vk::kHome}, {}, "↑↓↑"},
    {list_flag::kBoth, 2002, 32792, {modifier::kAlt, vk::kRight}, {}, "→"},
    {list_flag::kBoth, 2002, 32791, {modifier::kAlt, vk::kLeft}, {0, vk::kBackspace}, "←"},
    {list_flag::kBoth, 2002, 32795, {0, vk::kF1 + 4}, {modifier::kCtrl, 'R'}, "↑↓"},
    {list_flag::kBoth, 2002, 32794, {0, vk::kEsc}, {}, "↓↑"},
    {list_flag::kBoth, 2002, 32804, {modifier::kCtrl, 'S'}, {}, ""},
    {list_flag::kBoth, 2002, 57607, {modifier::kCtrl, 'P'}, {}, ""},
    {list_flag::kBoth, 2002, 32796, {modifier::kCtrl, 'U'}, {}, ""},
    {list_flag::kBoth, 2002, 59149, {0, vk::kEnter}, {}, ""},
    {list_flag::kBoth, 2002, 59150, {modifier::kShift, vk::kF1 + 9}, {}, ""},
    {list_flag::kBoth, 2003, 59160, {0, vk::kUp}, {}, ""},
    {list_flag::kBoth, 2003, 59161, {0, vk::kDown}, {}, ""},
    {list_flag::kBoth, 2003, 59162, {0, vk::kPageUp}, {}, ""},
    {list_flag::kBoth, 2003, 59163, {0, vk::kPageDown}, {}, ""},
    {list_flag::kBoth, 2003, 59164, {0, vk::kHome}, {}, ""},
    {list_flag::kBoth, 2003, 59165, {0, vk::kEnd}, {}, ""},
    {list_flag::kBoth, 2004, 32785, {modifier::kCtrl, 'E'}, {}, ""},
    {list_flag::kBoth, 2004, 32941, {modifier::kCtrl, 'Q'}, {}, ""},
    {list_flag::kBoth, 2004, 32786, {modifier::kCtrl, 'I'}, {}, ""},
    {list_flag::kBoth, 2004, 32787, {modifier::kCtrl, 'M'}, {}, ""},
    {list_flag::kBoth, 2004, 32809, {modifier::kCtrl, 'H'}, {}, ""},
    {list_flag::kBoth, 2005, 32799, {modifier::kCtrl, 'B'}, {modifier::kCtrl, 'D'}, "↑←↓,←←"},
    {list_flag::kBoth,
     2005,
     32883,
     {modifier::kShift | modifier::kCtrl, 'B'},
     {modifier::kShift | modifier::kCtrl, 'D'},
     ""},
    {list_flag::kBoth, 2005, 32890, {modifier::kCtrl, 'Y'}, {}, "↑→↓,→→"},
    {list_flag::kBoth, 2005, 32979, {}, {}, ""},
    {list_flag::kBoth, 2005, 32980, {}, {}, ""},
    {list_flag::kBoth, 2006, 32953, {modifier::kCtrl, 'N'}, {}, "→→↑↑"},
    {list_flag::kBoth, 2006, 32881, {}, {}, ""},
    {list_flag::kBoth, 2006, 32884, {}, {}, ""},
    {list_flag::kBoth, 2006, 32973, {}, {}, ""},
    {list_flag::kBoth, 2006, 32974, {}, {}, ""},
    {list_flag::kBoth, 2006, 32975, {}, {}, ""},
    {list_flag::kBoth, 2006, 32885, {}, {}, ""},
    {list_flag::kBoth,
     2006,
     32901,
     {modifier::kShift | modifier::kAlt, vk::kLeft},
     {modifier::kCtrl, vk::kPageUp},
     "↓←↑"},
    {list_flag::kBoth,
     2006,
     32902,
     {modifier::kShift | modifier::kAlt, vk::kRight},
     {modifier::kCtrl, vk::kPageDown},
     "↓→↑"},
    {list_flag::kBoth, 2006, 32917, {modifier::kShift | modifier::kAlt, vk::kUp}, {}, ""},
    {list_flag::kBoth, 2006, 32916, {modifier::kShift | modifier::kAlt, vk::kDown}, {}, ""},
    {list_flag::kBoth, 2007, 32886, {modifier::kCtrl, 'T'}, {}, "→↑"},
    {list_flag::kBoth, 2007, 32887, {modifier::kCtrl | modifier::kAlt, 'T'}, {}, "→↑↑"},
    {list_flag::kBoth, 2007, 32982, {modifier::kShift | modifier::kCtrl, 'T'}, {}, ""},
    {list_flag::kBoth, 2007, 32891, {modifier::kCtrl, 'W'}, {modifier::kCtrl, vk::kF1 + 3}, "→↓"},
    {list_flag::kBoth, 2007, 32892, {modifier::kCtrl | modifier::kAlt, 'W'}, {}, "→↓↓"},
    {list_flag::kBoth, 2007, 32895, {modifier::kShift | modifier::kCtrl, 'W'}, {}, "←↓↓"},
    {list_flag::kBoth, 2007, 32893, {}, {}, ""},
    {list_flag::kBoth,
     2007,
     32978,
     {modifier::kShift | modifier::kCtrl | modifier::kAlt, 'W'},
     {},
     "↓→↓→"},
    {list_flag::kBoth, 2007, 32882, {}, {}, "↑↑↓↓"},
    {list_flag::kBoth,
     2007,
     32903,
     {modifier::kCtrl | modifier::kAlt, vk::kLeft},
     {modifier::kShift | modifier::kCtrl, vk::kTab},
     "↑"},
    {list_flag::kBoth,
     2007,
     32904,
     {modifier::kCtrl | modifier::kAlt, vk::kRight},
     {modifier::kCtrl, vk::kTab},
     "↓"},
    {list_flag::kBoth, 2007, 32918, {modifier::kCtrl | modifier::kAlt, vk::kUp}, {}, "↓←"},
    {list_flag::kBoth, 2007, 32919, {modifier::kCtrl | modifier::kAlt, vk::kDown}, {}, "↓→"},
    {list_flag::kBoth,
     2007,
     32921,
     {modifier::kShift | modifier::kCtrl | modifier::kAlt, vk::kRight},
     {},
     "↑→"},
    {list_flag::kBoth,
     2007,
     32920,
     {modifier::kShift | modifier::kCtrl | modifier::kAlt, vk::kLeft},
     {},
     "↑←"},
    {0, 2007, 32905, {modifier::kShift, vk::kF1 + 5}, {}, ""},
    {0, 2007, 32907, {0, vk::kF1 + 5}, {}, ""},
    {list_flag::kBoth, 2008, 32926, {modifier::kAlt, 'R'}, {}, ""},
    {list_flag::kBoth, 2008, 59151, {modifier::kAlt, 'W'}, {modifier::kCtrl, 'K'}, ""},
    {list_flag::kBoth, 2008, 32943, {modifier::kAlt, vk::kEnter}, {modifier::kAlt, 'Z'}, "←→,→←"},
    {list_flag::kBoth, 2008, 32842, {modifier::kAlt, 'M'}, {}, "←→←→,→←→←"},
    {list_flag::kBoth, 2008, 59152, {modifier::kAlt, 'D'}, {modifier::kCtrl, 'L'}, ""},
    {list_flag::kBoth, 2009, 57636, {modifier::kCtrl, 'F'}, {}, ""},
    {list_flag::kBoth, 2009, 32843, {0, vk::kF1 + 2}, {}, "↓↓"},
    {list_flag::kBoth, 2009, 32897, {modifier::kShift, vk::kF1 + 2}, {}, "↑↑"},
    {list_flag::kBoth, 2009, 32844, {}, {}, "←←→→,→→←←"},
    {list_flag::kBoth, 2009, 59153, {}, {}, ""},
    {list_flag::kBoth, 2009, 59154, {}, {}, ""},
    {0, 0, 32898, {0, vk::kTab}, {}, ""},
    {0, 0, 32899, {modifier::kShift, vk::kTab}, {}, ""},
    {0, 0, 57643, {modifier::kCtrl, 'Z'}, {modifier::kAlt, vk::kBackspace}, ""},
    {0, 0, 57642, {modifier::kCtrl, 'A'}, {}, ""},
    {0, 0, 57635, {modifier::kCtrl, 'X'}, {modifier::kShift, vk::kDelete}, ""},
    {0, 0, 57634, {modifier::kCtrl, 'C'}, {modifier::kCtrl, vk::kInsert}, ""},
    {0, 0, 57637, {modifier::kCtrl, 'V'}, {modifier::kShift, vk::kInsert}, ""},
    {0, 0, 32824, {0, vk::kDelete}, {}, ""},
    {0, 0, 32776, {modifier::kShift, vk::kF1 + 10}, {}, ""},
    {0, 0, 32803, {0, vk::kF1 + 0}, {}, ""},
};

}  // namespace

const std::vector<CommandEntry>& DefaultCommands() {
  static const std::vector<CommandEntry> entries = [] {
    std::vector<CommandEntry> out;
    for (const DefaultRow& row : kRows) {
      out.push_back({row.list_flags,
                     row.category,
                     CommandId(row.id),
                     {row.first, row.second},
                     Utf8ToSjis(row.gestures_utf8)});
    }
    return out;
  }();
  return entries;
}

}  // namespace tolvane
