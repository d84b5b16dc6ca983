// What the page must do, in every engine: one table of scenarios over a small
// driver (load, evaluate, keys, click), which each engine's adapter provides.
"use strict";

const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");

// The default report as formula-scan prints it, less its two field lines: a
// textarea holds LF where the report has CR LF.
const golden = fs.readFileSync(path.join(__dirname, "../cli/default.txt"), "utf8").split("\n").slice(2).join("\n");
const blank = "\n";

async function waitFor(driver, what, script, ...args) {
    for (let tries = 0; tries < 200; ++tries) {
        if (await driver.eval(script, ...args))
            return;
        await new Promise(resolve => setTimeout(resolve, 50));
    }
    throw new Error("timed out waiting for " + what);
}

async function open(driver, url) {
    await driver.load(url);
    await waitFor(driver, "the window", () => !document.getElementById("window").hidden);
}

const state = driver => driver.eval(() => {
    const dialog = document.getElementById("failure");
    return {
        edit1: document.getElementById("edit1").value,
        edit2: document.getElementById("edit2").value,
        memo: document.getElementById("memo1").value,
        focus: document.activeElement.id,
        dialog: dialog.open ? [document.getElementById("failure-caption").textContent,
                               document.getElementById("failure-text").textContent] : null,
    };
});

const setFields = (driver, edit1, edit2) => driver.eval((a, b) => {
    document.getElementById("edit1").value = a;
    document.getElementById("edit2").value = b;
}, edit1, edit2);

// Typed into each field as a user would: Tab into it selects its text.
async function typeFields(driver, edit1, edit2) {
    await driver.eval(() => document.getElementById("memo1").focus());
    await driver.keys(["Tab", ...edit1, "Tab", ...edit2]);
}

// Presses by keyboard, so that the focus is known to be on the button.
async function pressByKeyboard(driver) {
    await driver.eval(() => document.getElementById("button1").focus());
    await driver.keys(["Enter"]);
}

async function dismiss(driver) {
    await driver.keys(["Enter"]);
    await waitFor(driver, "the box to close", () => !document.getElementById("failure").open);
}

const overflow = ["formula-test", "Floating point overflow."];

const scenarios = [
    ["at load: defaults, blank report, focus in the start field with its text selected", async (d, url) => {
        await open(d, url);
        assert.deepEqual(await state(d), {edit1: "0.00", edit2: "89.99", memo: blank, focus: "edit1", dialog: null});
        assert.deepEqual(await d.eval(() => {
            const field = document.getElementById("edit1");
            return [document.title, field.selectionStart, field.selectionEnd];
        }), ["Тестирование формулы", 0, 4]);
    }],
    ["the defaults give the default report", async (d, url) => {
        await open(d, url);
        await d.click("#button1");
        const shown = await state(d);
        assert.deepEqual([shown.edit1, shown.edit2, shown.memo, shown.dialog], ["0.00", "89.99", golden, null]);
    }],
    ["-5 and 100 are rewritten to the range scanned", async (d, url) => {
        await open(d, url);
        await typeFields(d, "-5", "100");
        await pressByKeyboard(d);
        const shown = await state(d);
        assert.deepEqual([shown.edit1, shown.edit2, shown.memo], ["0.00", "89.99", golden]);
    }],
    ["1e400: the box, nothing changed, then the window works as before", async (d, url) => {
        await open(d, url);
        await typeFields(d, "1e400", "89.99");
        await pressByKeyboard(d);
        assert.deepEqual(await state(d), {edit1: "1e400", edit2: "89.99", memo: blank, focus: "failure-ok", dialog: overflow});
        await dismiss(d);
        assert.equal((await state(d)).focus, "button1");
        await setFields(d, "0", "89.99");
        await pressByKeyboard(d);
        assert.deepEqual(await state(d), {edit1: "0.00", edit2: "89.99", memo: golden, focus: "button1", dialog: null});
    }],
    ["1.79e308 twice: the fields rewritten, the last report kept, the box", async (d, url) => {
        await open(d, url);
        await pressByKeyboard(d);
        await setFields(d, "1.79e308", "1.79e308");
        await pressByKeyboard(d);
        assert.deepEqual(await state(d),
                         {edit1: " 1.8E+0308", edit2: "89.99", memo: golden, focus: "failure-ok", dialog: overflow});
        await dismiss(d);
    }],
    ["the same report twice keeps the report's scroll position and selection", async (d, url) => {
        await open(d, url);
        await pressByKeyboard(d);
        const place = () => d.eval(() => {
            const memo = document.getElementById("memo1");
            return [memo.scrollTop, memo.selectionStart, memo.selectionEnd];
        });
        await d.eval(() => {
            const memo = document.getElementById("memo1");
            memo.scrollTop = 200;
            memo.setSelectionRange(40, 70);
        });
        const before = await place();
        assert.ok(before[0] > 0, "the report scrolls");
        await d.click("#button1");
        assert.deepEqual(await place(), before);
    }],
    ["Tab and Shift+Tab go round the two fields, the button and the report", async (d, url) => {
        await open(d, url);
        const walk = [];
        for (const key of ["Tab", "Tab", "Tab", "Tab", "Shift+Tab", "Shift+Tab"]) {
            await d.keys([key]);
            walk.push(await d.eval(() => {
                const active = document.activeElement;
                return active.id + (active.tagName === "INPUT" ? `:${active.selectionStart}-${active.selectionEnd}` : "");
            }));
        }
        assert.deepEqual(walk, ["edit2:0-5", "button1", "memo1", "edit1:0-4", "memo1", "button1"]);
    }],
    ["keys press the button only as designed", async (d, url) => {
        await open(d, url);
        const cases = [
            ["edit1", "Enter", false],
            ["edit2", "Enter", false],
            ["button1", "Enter", true],
            ["button1", "Shift+Enter", false],
            ["button1", "Control+Enter", false],
            ["button1", " ", true],
            ["button1", "Escape", false],
            ["edit1", "Escape", false],
        ];
        for (const [focus, key, presses] of cases) {
            await setFields(d, "-5", "89.99");
            await d.eval(id => document.getElementById(id).focus(), focus);
            await d.keys([key]);
            assert.equal((await state(d)).edit1 === "0.00", presses, `${key} in ${focus}`);
        }
    }],
    ["a mebibyte in a field", async (d, url) => {
        await open(d, url);
        await setFields(d, "x".repeat(1 << 20), "89.99");
        await d.click("#button1");
        const shown = await state(d);
        assert.deepEqual([shown.edit1, shown.memo], ["0.00", golden]);
    }],
    ["the controls fit their texts, and the labels name their fields", async (d, url) => {
        await open(d, url);
        const layout = await d.eval(() => {
            const box = id => document.getElementById(id).getBoundingClientRect();
            const fits = id => {
                const e = document.getElementById(id);
                return e.scrollWidth <= e.clientWidth && e.scrollHeight <= e.clientHeight + 1;
            };
            return {
                fit: ["label1", "label2", "button1", "edit1", "edit2"].filter(id => !fits(id)),
                apart: box("label1").right <= box("edit1").left && box("label2").right <= box("edit2").left
                    && box("button1").right <= box("memo1").left,
                names: ["edit1", "edit2"].map(id => document.getElementById(id).labels[0].textContent),
            };
        });
        assert.deepEqual(layout, {fit: [], apart: true, names: ["Начальный угол:", "Конечный угол:"]});
    }],
];

module.exports = {scenarios, open, state, golden, pressByKeyboard, waitFor};
