#include "midend/menu_table.h"

#include <vector>

#include "window/keys.h"
#include "window/menus.h"

namespace zv {
namespace {

struct Table {
    std::vector<std::vector<MenuEntry>> entries;
    std::vector<MenuBarTitle> bar;

    Table() {
        entries.reserve(menuTitles.size());
        for (const MenuTitle& title : menuTitles) {
            auto& items = entries.emplace_back();
            for (const description::MenuItem& item : title.items) {
                // The menus' shortcuts are all function keys.
                const int n = int(item.shortcut - keys::function(1)) + 1;
                items.push_back({item.caption, n >= 1 && n <= 24 ? n : 0});
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
