// The page's own context menus: a browser's menu cannot take entries of the
// page's. Entries are {text, keys, action, disabled}, null for a separator;
// arrows, Home and End move between them, Enter takes one, Escape, a click
// elsewhere or the focus leaving closes the menu and gives the focus back.
"use strict";

window.FormulaTestMenu = (function () {
    const menu = document.getElementById("menu");
    let giveBack = null;

    function close() {
        if (menu.hidden)
            return;
        menu.hidden = true;
        menu.replaceChildren();
        if (giveBack)
            giveBack.focus();
        giveBack = null;
    }

    function items() {
        return [...menu.querySelectorAll("[role=menuitem]:not(:disabled)")];
    }

    function move(by) {
        const list = items();
        const at = list.indexOf(document.activeElement);
        list[(at + by + list.length) % list.length].focus();
    }

    menu.addEventListener("keydown", event => {
        const moves = {ArrowDown: 1, ArrowUp: -1};
        if (event.key in moves)
            move(moves[event.key]);
        else if (event.key === "Home")
            items()[0].focus();
        else if (event.key === "End")
            items().at(-1).focus();
        else if (event.key === "Escape" || event.key === "Tab")
            close();
        else
            return;
        event.preventDefault();
        event.stopPropagation();
    });
    menu.addEventListener("focusout", event => {
        if (!menu.contains(event.relatedTarget))
            setTimeout(() => { if (!menu.contains(document.activeElement)) close(); });
    });
    document.addEventListener("pointerdown", event => {
        if (!menu.contains(event.target))
            close();
    }, true);
    addEventListener("resize", close);

    // Opens the menu at x, y in the visible area, moved in where it would
    // reach out; the focus goes back to from when it closes.
    function show(x, y, entries, from) {
        close();
        for (const entry of entries) {
            if (!entry) {
                const line = document.createElement("div");
                line.setAttribute("role", "separator");
                menu.append(line);
                continue;
            }
            const item = document.createElement("button");
            item.type = "button";
            item.setAttribute("role", "menuitem");
            item.disabled = Boolean(entry.disabled);
            const text = document.createElement("span");
            text.textContent = entry.text;
            item.append(text);
            if (entry.keys) {
                const keys = document.createElement("span");
                keys.textContent = entry.keys;
                item.append(keys);
            }
            item.addEventListener("click", () => {
                close();
                entry.action();
            });
            menu.append(item);
        }
        giveBack = from;
        menu.hidden = false;
        const width = document.documentElement.clientWidth, height = document.documentElement.clientHeight;
        menu.style.left = Math.max(0, Math.min(x, width - menu.offsetWidth)) + "px";
        menu.style.top = Math.max(0, Math.min(y, height - menu.offsetHeight)) + "px";
        items()[0].focus();
    }

    // Where a context menu event asks for the menu: at the pointer, or, from
    // the keyboard, at the top-left corner of the element.
    function at(event, element) {
        if (event.button === 0 || event.button === 2) {
            if (event.clientX || event.clientY)
                return [event.clientX, event.clientY];
        }
        const box = element.getBoundingClientRect();
        return [box.left, box.top];
    }

    return {show, close, at};
})();
