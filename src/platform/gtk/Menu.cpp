#include "platform/gtk/Menu.h"

#include "core/text/StringConvert.h"
#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Platform {

struct MenuEntry {
    UINT id = 0;
    bool separator = false;
    MenuHandle submenu = nullptr;
    std::wstring text;
    bool grayed = false;
    bool checked = false;
    bool radio = false;
    GtkWidget* widget = nullptr;
    GtkWidget* mark = nullptr;
    GtkWidget* label = nullptr;
    GtkWidget* key = nullptr;
};

class NativeMenu {
public:
    bool bar = false;
    GtkWidget* shell = nullptr;
    // The menu whose item holds this one as submenu; null for a root.
    MenuHandle parent = nullptr;
    std::vector<MenuEntry> entries;
    // The window a bar is attached to.
    WindowHandle window = nullptr;
};

namespace {

std::unordered_set<NativeMenu*>& liveMenus() {
    static std::unordered_set<NativeMenu*> set;
    return set;
}

std::unordered_map<WindowHandle, MenuHandle>& windowBars() {
    static std::unordered_map<WindowHandle, MenuHandle> map;
    return map;
}

// The popup of trackPopupMenu and what was chosen from it.
struct Tracking {
    MenuHandle menu = nullptr;
    UINT chosen = 0;
    GMainLoop* loop = nullptr;
};
Tracking* tracking = nullptr;

bool live(MenuHandle menu) { return menu && liveMenus().count(menu) != 0; }

MenuHandle rootOf(MenuHandle menu) {
    while (menu->parent) menu = menu->parent;
    return menu;
}

// The system's '&' mnemonics in the toolkit's '_' form.
std::string mnemonicText(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'_') {
            out += L"__";
        } else if (c == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') {
                out += L'&';
                ++i;
            } else if (i + 1 < text.size()) {
                out += L'_';
            }
        } else {
            out += c;
        }
    }
    return System::String::toUtf8(out);
}

void showText(MenuEntry& e) {
    if (!e.label) return;
    const std::size_t tab = e.text.find(L'\t');
    gtk_label_set_text_with_mnemonic(GTK_LABEL(e.label), mnemonicText(e.text.substr(0, tab)).c_str());
    if (e.key)
        gtk_label_set_text(GTK_LABEL(e.key),
                           tab == std::wstring::npos ? "" : System::String::toUtf8(e.text.substr(tab + 1)).c_str());
}

void showMark(MenuEntry& e) {
    if (e.mark) gtk_label_set_text(GTK_LABEL(e.mark), !e.checked ? "" : e.radio ? "\u25CF" : "\u2713");
}

void showState(MenuEntry& e) {
    if (e.widget && !e.separator) gtk_widget_set_sensitive(e.widget, !e.grayed);
}

void onItemActivate(GtkMenuItem*, gpointer data);
void onSubmenuShow(GtkWidget*, gpointer data);

// The item widget: in a popup a mark column, the text and the key name; in
// a bar the text alone.
void makeWidget(NativeMenu* menu, MenuEntry& e) {
    if (e.separator) {
        e.widget = gtk_separator_menu_item_new();
        gtk_widget_show(e.widget);
        return;
    }
    e.widget = gtk_menu_item_new();
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    e.label = gtk_label_new(nullptr);
    gtk_label_set_xalign(GTK_LABEL(e.label), 0.0f);
    if (!menu->bar) {
        e.mark = gtk_label_new(nullptr);
        gtk_label_set_width_chars(GTK_LABEL(e.mark), 2);
        gtk_box_pack_start(GTK_BOX(box), e.mark, FALSE, FALSE, 0);
        gtk_widget_set_hexpand(e.label, TRUE);
        gtk_box_pack_start(GTK_BOX(box), e.label, TRUE, TRUE, 0);
        e.key = gtk_label_new(nullptr);
        gtk_label_set_xalign(GTK_LABEL(e.key), 1.0f);
        gtk_style_context_add_class(gtk_widget_get_style_context(e.key), "accelerator");
        gtk_widget_set_margin_start(e.key, 24);
        gtk_box_pack_end(GTK_BOX(box), e.key, FALSE, FALSE, 0);
    } else {
        gtk_box_pack_start(GTK_BOX(box), e.label, TRUE, TRUE, 0);
    }
    gtk_container_add(GTK_CONTAINER(e.widget), box);
    showText(e);
    showMark(e);
    showState(e);
    if (e.submenu) {
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(e.widget), e.submenu->shell);
        g_signal_connect(e.submenu->shell, "show", G_CALLBACK(onSubmenuShow), e.submenu);
    } else {
        g_signal_connect(e.widget, "activate", G_CALLBACK(onItemActivate),
                         reinterpret_cast<gpointer>(static_cast<std::uintptr_t>(e.id)));
    }
    gtk_widget_show_all(e.widget);
}

// The menu and index of an item: by position in menu, or by command in menu
// and its submenus (depth first, as the system searches).
bool findItem(MenuHandle menu, UINT item, UINT flags, MenuHandle& owner, std::size_t& index) {
    if (!live(menu)) return false;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->entries.size()) return false;
        owner = menu;
        index = item;
        return true;
    }
    for (std::size_t i = 0; i < menu->entries.size(); ++i) {
        const MenuEntry& e = menu->entries[i];
        if (e.submenu) {
            if (findItem(e.submenu, item, flags, owner, index)) return true;
        } else if (!e.separator && e.id == item) {
            owner = menu;
            index = i;
            return true;
        }
    }
    return false;
}

MenuEntry* entryOf(MenuHandle menu, UINT item, UINT flags) {
    MenuHandle owner = nullptr;
    std::size_t index = 0;
    if (!findItem(menu, item, flags, owner, index)) return nullptr;
    return &owner->entries[index];
}

void onItemActivate(GtkMenuItem* widget, gpointer data) {
    const UINT id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(data));
    // The menu the item belongs to: find its root through the widget.
    for (NativeMenu* menu : liveMenus()) {
        if (gtk_widget_get_parent(GTK_WIDGET(widget)) != menu->shell) continue;
        NativeMenu* root = rootOf(menu);
        if (tracking && root == tracking->menu) {
            tracking->chosen = id;
        } else if (root->window) {
            postMessage(root->window, WM_COMMAND, id, 0);
        }
        return;
    }
}

void onSubmenuShow(GtkWidget*, gpointer data) {
    auto* menu = static_cast<NativeMenu*>(data);
    if (!live(menu)) return;
    NativeMenu* root = rootOf(menu);
    // Popups opened by trackPopupMenu send nothing.
    if (!root->bar || !root->window) return;
    guardCallback([&] { sendMessage(root->window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0); });
}

void destroyTree(MenuHandle menu) {
    for (MenuEntry& e : menu->entries)
        if (e.submenu) destroyTree(e.submenu);
    liveMenus().erase(menu);
    if (menu->window) windowBars().erase(menu->window);
}

MenuHandle makeMenu(bool bar) {
    auto* menu = new NativeMenu;
    menu->bar = bar;
    menu->shell = bar ? gtk_menu_bar_new() : gtk_menu_new();
    g_object_ref_sink(menu->shell);
    liveMenus().insert(menu);
    return menu;
}

void freeTree(MenuHandle menu) {
    for (MenuEntry& e : menu->entries)
        if (e.submenu) freeTree(e.submenu);
    g_object_unref(menu->shell);
    delete menu;
}

void onPopupDeactivate(GtkMenuShell*, gpointer data) {
    auto* t = static_cast<Tracking*>(data);
    // The chosen item's activation follows in this same dispatch.
    if (t->loop) g_main_loop_quit(t->loop);
}

}  // namespace

MenuHandle createMenu() { return makeMenu(true); }
MenuHandle createPopupMenu() { return makeMenu(false); }

bool isMenu(MenuHandle menu) { return live(menu); }

bool destroyMenu(MenuHandle menu) {
    if (!live(menu)) {
        errno = EINVAL;
        return false;
    }
    if (menu->parent) {
        // Owned by an item: take it out of its parent first.
        auto& siblings = menu->parent->entries;
        for (std::size_t i = 0; i < siblings.size(); ++i)
            if (siblings[i].submenu == menu) {
                gtk_menu_item_set_submenu(GTK_MENU_ITEM(siblings[i].widget), nullptr);
                siblings[i].submenu = nullptr;
            }
    }
    if (menu->window) setMenu(menu->window, nullptr);
    destroyTree(menu);
    gtk_widget_destroy(menu->shell);
    freeTree(menu);
    return true;
}

bool insertMenu(MenuHandle menu, UINT position, UINT flags, std::uintptr_t idOrSubmenu, const std::wstring& text) {
    if (!live(menu)) {
        errno = EINVAL;
        return false;
    }
    MenuEntry e;
    e.text = text;
    e.separator = (flags & MF_SEPARATOR) != 0;
    e.grayed = (flags & (MF_GRAYED | MF_DISABLED)) != 0;
    e.checked = (flags & MF_CHECKED) != 0;
    if (flags & MF_POPUP) {
        auto* submenu = reinterpret_cast<MenuHandle>(idOrSubmenu);
        if (!live(submenu) || submenu->bar || submenu->parent || submenu == menu) {
            errno = EINVAL;
            return false;
        }
        submenu->parent = menu;
        e.submenu = submenu;
    } else if (!e.separator) {
        e.id = static_cast<UINT>(idOrSubmenu);
    }
    makeWidget(menu, e);
    const std::size_t at = std::min<std::size_t>(position, menu->entries.size());
    gtk_menu_shell_insert(GTK_MENU_SHELL(menu->shell), e.widget, static_cast<int>(at));
    menu->entries.insert(menu->entries.begin() + static_cast<std::ptrdiff_t>(at), e);
    return true;
}

bool appendMenu(MenuHandle menu, UINT flags, std::uintptr_t idOrSubmenu, const std::wstring& text) {
    return insertMenu(menu, static_cast<UINT>(-1), flags, idOrSubmenu, text);
}

bool deleteMenu(MenuHandle menu, UINT item, UINT flags) {
    MenuHandle owner = nullptr;
    std::size_t index = 0;
    if (!findItem(menu, item, flags, owner, index)) {
        errno = EINVAL;
        return false;
    }
    MenuEntry e = owner->entries[index];
    owner->entries.erase(owner->entries.begin() + static_cast<std::ptrdiff_t>(index));
    if (e.submenu) {
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(e.widget), nullptr);
        destroyTree(e.submenu);
        gtk_widget_destroy(e.submenu->shell);
        freeTree(e.submenu);
    }
    gtk_widget_destroy(e.widget);
    return true;
}

int getMenuItemCount(MenuHandle menu) {
    return live(menu) ? static_cast<int>(menu->entries.size()) : -1;
}

MenuHandle getSubMenu(MenuHandle menu, int position) {
    if (!live(menu) || position < 0 || position >= static_cast<int>(menu->entries.size())) return nullptr;
    return menu->entries[static_cast<std::size_t>(position)].submenu;
}

int getMenuItemID(MenuHandle menu, int position) {
    if (!live(menu) || position < 0 || position >= static_cast<int>(menu->entries.size())) return -1;
    const MenuEntry& e = menu->entries[static_cast<std::size_t>(position)];
    return e.submenu || e.separator ? -1 : static_cast<int>(e.id);
}

bool getMenuString(MenuHandle menu, UINT item, UINT flags, std::wstring& text) {
    MenuEntry* e = entryOf(menu, item, flags);
    if (!e) return false;
    text = e->text;
    return true;
}

bool setMenuItemText(MenuHandle menu, UINT item, UINT flags, const std::wstring& text) {
    MenuEntry* e = entryOf(menu, item, flags);
    if (!e || e->separator) return false;
    e->text = text;
    showText(*e);
    return true;
}

bool setMenuItemRadio(MenuHandle menu, UINT item, UINT flags) {
    MenuEntry* e = entryOf(menu, item, flags);
    if (!e || e->separator) return false;
    e->radio = true;
    showMark(*e);
    return true;
}

int enableMenuItem(MenuHandle menu, UINT item, UINT flags) {
    MenuEntry* e = entryOf(menu, item, flags);
    if (!e) return -1;
    const int previous = e->grayed ? static_cast<int>(MF_GRAYED) : static_cast<int>(MF_ENABLED);
    e->grayed = (flags & (MF_GRAYED | MF_DISABLED)) != 0;
    showState(*e);
    return previous;
}

int checkMenuItem(MenuHandle menu, UINT item, UINT flags) {
    MenuEntry* e = entryOf(menu, item, flags);
    if (!e) return -1;
    const int previous = e->checked ? static_cast<int>(MF_CHECKED) : static_cast<int>(MF_UNCHECKED);
    e->checked = (flags & MF_CHECKED) != 0;
    showMark(*e);
    return previous;
}

int getMenuState(MenuHandle menu, UINT item, UINT flags) {
    const MenuEntry* e = entryOf(menu, item, flags);
    if (!e) return -1;
    return static_cast<int>((e->grayed ? MF_GRAYED : 0) | (e->checked ? MF_CHECKED : 0));
}

bool setMenu(WindowHandle window, MenuHandle bar) {
    GtkWindow* top = toolkitWindow(window);
    if (!top || (bar && (!live(bar) || !bar->bar || (bar->window && bar->window != window)))) {
        errno = EINVAL;
        return false;
    }
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(top));
    // The client area goes into a box under the bar the first time.
    GtkWidget* box = GTK_IS_BOX(child) && g_object_get_data(G_OBJECT(child), "movane2-menu-box") ? child : nullptr;
    if (!box) {
        box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
        g_object_set_data(G_OBJECT(box), "movane2-menu-box", box);
        if (child) {
            g_object_ref(child);
            gtk_container_remove(GTK_CONTAINER(top), child);
            gtk_box_pack_end(GTK_BOX(box), child, TRUE, TRUE, 0);
            g_object_unref(child);
        }
        gtk_container_add(GTK_CONTAINER(top), box);
        gtk_widget_show(box);
    }
    const auto old = windowBars().find(window);
    if (old != windowBars().end()) {
        MenuHandle previous = old->second;
        gtk_container_remove(GTK_CONTAINER(box), previous->shell);
        previous->window = nullptr;
        windowBars().erase(old);
    }
    if (bar) {
        bar->window = window;
        windowBars()[window] = bar;
        gtk_box_pack_start(GTK_BOX(box), bar->shell, FALSE, FALSE, 0);
        gtk_widget_show_all(bar->shell);
    }
    return true;
}

MenuHandle getMenu(WindowHandle window) {
    const auto found = windowBars().find(window);
    return found == windowBars().end() ? nullptr : found->second;
}

void drawMenuBar(WindowHandle window) {
    if (MenuHandle bar = getMenu(window)) gtk_widget_queue_resize(bar->shell);
}

UINT trackPopupMenu(MenuHandle menu, int x, int y, WindowHandle owner) {
    if (!live(menu) || menu->bar || menu->parent || tracking) return 0;
    GtkWindow* top = toolkitWindow(owner);
    GdkWindow* anchor = top ? gtk_widget_get_window(GTK_WIDGET(top)) : nullptr;
    if (!anchor) anchor = gdk_get_default_root_window();
    int originX = 0;
    int originY = 0;
    gdk_window_get_origin(anchor, &originX, &originY);
    const GdkRectangle at = {x - originX, y - originY, 1, 1};

    Tracking t;
    t.menu = menu;
    t.loop = g_main_loop_new(nullptr, FALSE);
    tracking = &t;
    const gulong handler = g_signal_connect(menu->shell, "deactivate", G_CALLBACK(onPopupDeactivate), &t);
    gtk_menu_popup_at_rect(GTK_MENU(menu->shell), anchor, &at, GDK_GRAVITY_NORTH_WEST,
                           GDK_GRAVITY_NORTH_WEST, nullptr);
    if (gtk_widget_get_visible(menu->shell))
        runNestedLoop(t.loop, [&] { gtk_menu_popdown(GTK_MENU(menu->shell)); });
    if (live(menu)) g_signal_handler_disconnect(menu->shell, handler);
    g_main_loop_unref(t.loop);
    tracking = nullptr;
    return t.chosen;
}

MenuHandle trackedPopupMenu() { return tracking ? tracking->menu : nullptr; }

GtkWidget* toolkitMenu(MenuHandle menu) { return live(menu) ? menu->shell : nullptr; }

GtkWidget* toolkitMenuItem(MenuHandle menu, int position) {
    if (!live(menu) || position < 0 || position >= static_cast<int>(menu->entries.size())) return nullptr;
    return menu->entries[static_cast<std::size_t>(position)].widget;
}

}  // namespace Platform
