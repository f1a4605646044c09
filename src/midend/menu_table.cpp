#include "midend/menu_table.h"

#include <string>
#include <vector>

#include "midend/key_rules.h"

#include "window/keys.h"
#include "window/menus.h"

namespace zv {
namespace {

struct Table {
    std::vector<std::string> labels;
    std::vector<std::vector<MenuEntry>> entries;
    std::vector<MenuBarTitle> bar;

    Table() {
        // Named before any entry points at a name: the vector stays put.
        labels.reserve(25);
        labels.emplace_back();
        for (int n = 1; n <= 24; ++n) labels.push_back(keyName(keys::function(n)));
        entries.reserve(menuTitles.size());
        for (const MenuTitle& title : menuTitles) {
            auto& items = entries.emplace_back();
            for (const description::MenuItem& item : title.items) {
                // The menus' shortcuts are all function keys.
                const int n = int(item.shortcut - keys::function(1)) + 1;
                const int key = n >= 1 && n <= 24 ? n : 0;
                items.push_back({item.caption, key, labels[std::size_t(key)]});
            }
            bar.push_back({title.title, items});
        }
    }
};

}  // namespace

std::span<const MenuBarTitle> menuTable() {
    static const Table table;
    return table.bar;
}

}  // namespace zv
