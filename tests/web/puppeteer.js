// Chromium and Firefox ESR, Debian's own, through puppeteer-core: a driver per
// page for the scenarios, and what only Chromium is asked here: the page from
// the disk, an offline reload, the accessibility tree.
"use strict";

const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const puppeteer = require("puppeteer-core");
const {open, state, golden, pressByKeyboard, waitFor} = require("./scenarios");
const {serve} = require("./serve");

const quiet = ["--disable-background-networking", "--disable-component-update", "--disable-default-apps",
               "--disable-sync", "--no-first-run", "--disable-dev-shm-usage", "--mute-audio"];

function launch(engine) {
    const common = {headless: true, protocolTimeout: 60000, timeout: 60000};
    if (engine === "firefox")
        return puppeteer.launch({...common, browser: "firefox", executablePath: "/usr/bin/firefox-esr"});
    // Chromium refuses to start its sandbox as root.
    const args = [...quiet, ...(process.getuid() === 0 ? ["--no-sandbox"] : [])];
    const binary = fs.existsSync("/usr/lib/chromium/chromium") ? "/usr/lib/chromium/chromium" : "/usr/bin/chromium";
    return puppeteer.launch({...common, browser: "chrome", executablePath: binary, args});
}

function driverFor(page) {
    return {
        load: url => page.goto(url, {waitUntil: "load"}),
        eval: (script, ...args) => page.evaluate(script, ...args),
        async keys(list) {
            for (const key of list) {
                const parts = key.length > 1 ? key.split("+") : [key];
                const main = parts.pop();
                for (const held of parts)
                    await page.keyboard.down(held);
                await page.keyboard.press(main);
                for (const held of parts.reverse())
                    await page.keyboard.up(held);
            }
        },
        click: selector => page.click(selector),
        resize: (width, height) => page.setViewport({width, height}),
    };
}

// Chromium alone: the page opened from the disk, offline once served, and as
// a screen reader reads it.
const chromiumOnly = [
    ["from the disk (file://)", async (d, url, {dir}) => {
        await open(d, "file://" + path.join(dir, "formula-test.html"));
        await d.click("#button1");
        assert.equal((await state(d)).memo, golden);
    }],
    ["served from 127.0.0.1, it reloads offline", async (d, url, {dir}) => {
        const server = await serve(dir, 60000);
        await open(d, server.url + "formula-test.html");
        const kept = await d.eval(() => Promise.race([navigator.serviceWorker.ready.then(() => true),
                                                      new Promise(resolve => setTimeout(resolve, 20000, false))]));
        assert.ok(kept, "the service worker is active");
        await server.close();
        await open(d, server.url + "formula-test.html");
        await d.click("#button1");
        assert.equal((await state(d)).memo, golden);
    }],
    ["the accessibility tree names the fields, the button, the report and the box", async (d, url, {page}) => {
        await open(d, url);
        const named = node => [node.role, node.name];
        const flat = node => [node, ...(node.children || []).flatMap(flat)];
        const tree = () => page.accessibility.snapshot({interestingOnly: true}).then(flat);
        const controls = (await tree()).filter(n => ["textbox", "button"].includes(n.role)).map(named);
        assert.deepEqual(controls, [["textbox", "Начальный угол:"], ["textbox", "Конечный угол:"],
                                    ["button", "Тестировать"], ["textbox", "Отчёт"]]);
        await d.eval(() => { document.getElementById("edit1").value = "1e400"; });
        await pressByKeyboard(d);
        const box = (await tree()).filter(n => n.role === "alertdialog").map(named);
        assert.deepEqual(box, [["alertdialog", "formula-test"]]);
    }],
    ["on a phone's screen the page reflows, its inputs at 16 px or more", async (d, url) => {
        await open(d, url);
        await d.resize(375, 667);
        await waitFor(d, "the page to reflow", () => document.body.classList.contains("narrow"));
        const shown = await d.eval(() => {
            const box = id => document.getElementById(id).getBoundingClientRect();
            const size = id => parseFloat(getComputedStyle(document.getElementById(id)).fontSize);
            return {
                smallest: Math.min(size("edit1"), size("edit2"), size("button1"), size("memo1")),
                reportBelow: box("memo1").top >= box("button1").bottom,
                reportWidth: box("memo1").width >= 375 - 40,
                overflows: document.documentElement.scrollWidth > 375,
            };
        });
        assert.deepEqual(shown, {smallest: 16, reportBelow: true, reportWidth: true, overflows: false});
    }],
];

module.exports = {launch, driverFor, chromiumOnly};
