// The page's shell: shows the window the core describes, hands it a press of
// the button as get-text/set-text calls, and shows a failure as a modal box.
"use strict";

(function () {
    const status = document.getElementById("status");
    if (typeof WebAssembly !== "object") {
        status.textContent = "Этот браузер не умеет выполнять WebAssembly: программа в нём не работает.";
        return;
    }

    // The window's table numbers the controls in declaration order.
    const elements = ["label1", "edit1", "label2", "edit2", "button1", "memo1"].map(id => document.getElementById(id));
    const [, edit1, , edit2, button1, memo1] = elements;
    const kLabel = 0;
    const kMemo = 5;

    // A textarea holds LF where the report has CR LF: read back, its lines are
    // joined as the report joins them, so the same report compares equal.
    const page = {
        getText(control) {
            const value = elements[control].value;
            return control === kMemo ? value.split("\n").join("\r\n") : value;
        },
        replaceText(control, text) {
            elements[control].value = text;
        },
    };

    // The height of "0" in the window font, as the browser renders it.
    function textSize(text, font) {
        const probe = document.createElement("span");
        probe.style.cssText = "position:absolute;visibility:hidden;white-space:nowrap;line-height:normal";
        probe.style.font = font;
        probe.textContent = text;
        document.body.append(probe);
        const rect = probe.getBoundingClientRect();
        probe.remove();
        return [Math.ceil(rect.width), Math.round(rect.height)];
    }

    function layOut(core) {
        const font = getComputedStyle(document.getElementById("client")).font;
        const textHeight = textSize("0", font)[1];
        const labels = [];
        for (const [index, element] of elements.entries())
            if (element.tagName === "LABEL")
                labels[index] = textSize(element.textContent || " ", font);
        const form = core.Window(textHeight, labels);
        const client = document.getElementById("client");
        client.style.width = form.client.width + "px";
        client.style.height = form.client.height + "px";
        form.controls.forEach(({rect}, index) => {
            const style = elements[index].style;
            style.left = rect.left + "px";
            style.top = rect.top + "px";
            style.width = rect.width + "px";
            style.height = rect.height + "px";
        });
    }

    function start(core) {
        // The texts first: the layout measures the labels in them.
        const form = core.Window(0, []);
        document.title = form.caption;
        document.getElementById("caption-text").textContent = form.caption;
        form.controls.forEach((control, index) => {
            if (control.kind === kLabel || elements[index] === button1)
                elements[index].textContent = control.text;
            else
                page.replaceText(index, control.text);
        });
        const tabOrder = form.controls
            .map((control, index) => [control.tabOrder, elements[index]])
            .filter(([order]) => order >= 0)
            .sort((a, b) => a[0] - b[0])
            .map(([, element]) => element);

        status.hidden = true;
        const windowElement = document.getElementById("window");
        windowElement.hidden = false;
        layOut(core);
        // Where the designed window does not fit across the screen, the page reflows.
        const designedWidth = windowElement.offsetWidth;
        const fit = () => document.body.classList.toggle("narrow", document.documentElement.clientWidth < designedWidth);
        fit();
        addEventListener("resize", fit);

        // Keyboard entry into a field selects its text; a click places the caret.
        let pointerDown = false;
        document.addEventListener("mousedown", () => { pointerDown = true; }, true);
        document.addEventListener("mouseup", () => { pointerDown = false; }, true);
        for (const field of [edit1, edit2])
            field.addEventListener("focus", () => { if (!pointerDown) field.select(); });

        const failure = document.getElementById("failure");
        const caption = core.TitleFromFileName(fileName());
        let focusBefore = null;
        failure.addEventListener("close", () => {
            if (focusBefore)
                focusBefore.focus();
        });

        // The window's control that last had the focus, which Ctrl+G in the
        // chart gives it back to.
        let lastInWindow = edit1;
        windowElement.addEventListener("focusin", event => { lastInWindow = event.target; });
        const chart = new core.Chart();
        const chartPanel = FormulaTestChart(core, chart, {
            report: memo1, designed: windowElement, chosenLine: document.getElementById("chosen-line"),
            giveFocusBack: () => lastInWindow.focus(),
        });
        const look = chartPanel.look;
        const link = document.getElementById("chart-link");
        link.textContent = look.caption;
        link.hidden = false;
        link.addEventListener("click", event => {
            event.preventDefault();
            chartPanel.open();
        });
        memo1.addEventListener("contextmenu", event => {
            event.preventDefault();
            const [x, y] = FormulaTestMenu.at(event, memo1);
            const copy = () => {
                memo1.focus();
                const text = memo1.value.slice(memo1.selectionStart, memo1.selectionEnd);
                if (navigator.clipboard && window.isSecureContext)
                    navigator.clipboard.writeText(text).catch(() => document.execCommand("copy"));
                else
                    document.execCommand("copy");
            };
            FormulaTestMenu.show(x, y, [
                {text: look.copyTextEntry, action: copy,
                 disabled: memo1.selectionStart === memo1.selectionEnd},
                {text: look.selectAllEntry, action: () => { memo1.focus(); memo1.select(); }},
                null,
                {text: look.caption, keys: "Ctrl+G", action: chartPanel.open},
            ], memo1);
        });

        const commandKey = chartPanel.commandKey;
        document.addEventListener("keydown", event => {
            if (failure.open)
                return;
            // The browser's own Ctrl+G finds the next match.
            if (commandKey(event) && !event.shiftKey && !event.altKey && event.key.toLowerCase() === "g") {
                event.preventDefault();
                chartPanel.open();
                return;
            }
            if (!windowElement.contains(document.activeElement))
                return;
            if (event.key === "Tab") {
                const first = tabOrder[0], last = tabOrder[tabOrder.length - 1];
                const wrapTo = event.shiftKey ? (document.activeElement === first && last)
                                              : (document.activeElement === last && first);
                if (wrapTo) {
                    event.preventDefault();
                    wrapTo.focus();
                }
            } else if (event.key === "Enter") {
                event.preventDefault();
                if (core.EnterPressesButton1(document.activeElement === button1, event.shiftKey, event.ctrlKey, event.altKey))
                    press();
            }
        });

        function press() {
            const text = core.PressButton1(page, chart);
            if (text === null) {
                chartPanel.update();
                return;
            }
            focusBefore = document.activeElement;
            document.getElementById("failure-caption").textContent = caption;
            document.getElementById("failure-text").textContent = text;
            failure.showModal();
            document.getElementById("failure-ok").focus();
        }
        button1.addEventListener("click", press);

        edit1.focus();
        edit1.select();
    }

    // The page's own file name; an address that names none means the page as built.
    function fileName() {
        const last = decodeURIComponent(location.pathname.split("/").pop());
        return last || "formula-test.html";
    }

    FormulaTestCore().then(start, error => {
        status.textContent = "Программа не загрузилась: " + error;
    });

    // Served over https or from this machine, the page keeps working offline
    // and can be installed as an app; from the disk neither applies.
    if ("serviceWorker" in navigator && window.isSecureContext && location.protocol !== "file:") {
        const manifest = document.createElement("link");
        manifest.rel = "manifest";
        manifest.href = "formula-test.webmanifest";
        document.head.append(manifest);
        navigator.serviceWorker.register("service-worker.js").catch(() => {});
    }
})();
