// The chart's panel: that it opens and draws, in every engine; in Chromium
// also where it opens, what hover and keys show, and what it saves.
"use strict";

const assert = require("assert/strict");
const {execFileSync} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const {open, pressByKeyboard, waitFor} = require("./scenarios");

const panel = driver => driver.eval(() => {
    const box = id => {
        const b = document.getElementById(id).getBoundingClientRect();
        return [b.left, b.top, b.right, b.bottom].map(Math.round);
    };
    const body = document.getElementById("chart-body");
    return {
        shown: !document.getElementById("chart").hidden,
        window: box("window"),
        chart: box("chart"),
        body: [body.clientWidth, body.clientHeight],
        label: body.getAttribute("aria-label"),
        focus: document.activeElement.id,
    };
});

// Pixels of the plot's canvas in the blue of the line, anti-aliased, and in
// the red of the markers.
const drawn = driver => driver.eval(() => {
    const canvas = document.querySelector("#chart-body canvas");
    const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let line = 0, markers = 0;
    for (let i = 0; i < pixels.length; i += 4) {
        const [r, g, b] = pixels.subarray(i, i + 3);
        line += b - r > 60 && b - g > 30;
        markers += r - b > 80 && r - g > 80;
    }
    return {line, markers};
});

const defaultTitle = "График отклонений: 0.00 … 89.99, отсчётов: 8999";

const chartScenarios = [
    ["the chart opens from its link, and draws the run", async (d, url) => {
        await open(d, url);
        await d.click("#chart-link");
        await waitFor(d, "the chart", () => !document.getElementById("chart").hidden);
        assert.equal((await panel(d)).label, "График отклонений: Нет отсчётов");
        const legendOnly = await drawn(d);
        // Where the page is small, the chart covers the button.
        await pressByKeyboard(d);
        await waitFor(d, "the run in the chart", title => document.getElementById("chart-body").getAttribute("aria-label") === title,
                      defaultTitle);
        const {line, markers} = await drawn(d);
        assert.ok(line > legendOnly.line + 200 && markers > legendOnly.markers + 50,
                  `line ${legendOnly.line} → ${line}, markers ${legendOnly.markers} → ${markers}`);
    }],
];

// The bytes formula-scan writes for --samples start end: into a file, as
// node leaves output to a pipe unwritten when the program exits.
function scanSamples(scan, start, end) {
    const runner = scan.endsWith(".js") ? [process.execPath, "--no-experimental-fetch", scan] : [scan];
    const file = path.join(os.tmpdir(), `formula-scan-${process.pid}.csv`);
    const out = fs.openSync(file, "w");
    try {
        execFileSync(runner[0], [...runner.slice(1), "--samples", start, end], {stdio: ["ignore", out, "inherit"]});
        return fs.readFileSync(file);
    } finally {
        fs.closeSync(out);
        fs.rmSync(file);
    }
}

// The page's downloads, each taken once the browser has written it whole.
async function downloads(page) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), "formula-test-downloads-"));
    const session = await page.createCDPSession();
    await session.send("Browser.setDownloadBehavior", {behavior: "allow", downloadPath: dir, eventsEnabled: true});
    const completed = [];
    session.on("Browser.downloadProgress", event => { if (event.state === "completed") completed.push(event); });
    return {
        async take(name) {
            for (let tries = 0; tries < 200 && completed.length === 0; ++tries)
                await new Promise(resolve => setTimeout(resolve, 50));
            assert.ok(completed.shift(), "a completed download of " + name);
            const file = path.join(dir, name);
            const bytes = fs.readFileSync(file);
            fs.rmSync(file);
            return bytes;
        },
        remove: () => fs.rmSync(dir, {recursive: true, force: true}),
    };
}

// The default run, the chart open and the ringed marker chosen by →: its line
// selected in the report and marked, and its tip at the marker, where the
// page's pointer goes. The tip is hidden and the whole range shown again.
async function ringedMarker(d, url) {
    await d.resize(1600, 1000);
    await open(d, url);
    await d.click("#button1");
    await d.keys(["Control+g", "ArrowRight"]);
    const line = "89.9800 => 89.7008  d=0.2792";
    const chosen = await d.eval(() => {
        const memo = document.getElementById("memo1"), tip = document.getElementById("chart-tip");
        const panelBox = document.getElementById("chart").getBoundingClientRect();
        return {
            selected: memo.value.slice(memo.selectionStart, memo.selectionEnd),
            band: !document.getElementById("chosen-line").hidden,
            tip: tip.textContent,
            at: [panelBox.left + 1 + parseFloat(tip.style.left), panelBox.top + 1 + parseFloat(tip.style.top)],
        };
    });
    assert.deepEqual([chosen.selected, chosen.band, chosen.tip], [line, true, line]);
    await d.keys(["Home"]);
    await d.eval(() => { document.getElementById("chart-tip").hidden = true; });
    return chosen.at;
}

// The tip's text once it shows.
async function tipShown(d) {
    await waitFor(d, "the tip", () => !document.getElementById("chart-tip").hidden);
    return d.eval(() => document.getElementById("chart-tip").textContent);
}

const chartChromiumOnly = [
    ["Ctrl+G and the link open the chart beside the window, as far as the page lets it", async (d, url) => {
        await d.resize(1600, 1000);
        await open(d, url);
        await d.keys(["Control+g"]);
        const beside = await panel(d);
        // Right of the window from its top, as wide as the rest of the page, as high as it asks.
        assert.deepEqual([beside.shown, beside.chart[0], beside.chart[1], beside.chart[2], beside.body[1], beside.focus],
                         [true, beside.window[2], beside.window[1], 1600, 480, "chart-body"]);
        await d.keys(["Control+g"]);
        assert.equal((await panel(d)).focus, "edit1");
        await d.click("#chart-close");
        await d.resize(375, 667);
        await d.click("#chart-link");
        const phone = await panel(d);
        assert.ok(phone.chart[0] >= 0 && phone.chart[1] >= 0 && phone.chart[2] <= 375 && phone.chart[3] <= 667,
                  `inside the screen: ${phone.chart}`);
        assert.ok(phone.body[0] >= 360 - 2 && phone.body[1] >= 240, `the least size: ${phone.body}`);
    }],
    ["the ringed marker: chosen by a key, its line selected; hovered, its line in the tip", async (d, url, {page}) => {
        const at = await ringedMarker(d, url);
        await page.mouse.move(at[0], at[1]);
        assert.equal(await tipShown(d), "89.9800 => 89.7008  d=0.2792");
    }],
    ["the wheel zooms around the pointer, and Home shows the whole range again", async (d, url, {page}) => {
        const at = await ringedMarker(d, url);
        // The angle of the sample pointed to 40 pixels left of the marker.
        const pointedLeft = async () => {
            await page.mouse.move(at[0] - 40, at[1]);
            return parseFloat(await tipShown(d));
        };
        const whole = await pointedLeft();
        await page.mouse.move(at[0], at[1]);
        await page.mouse.wheel({deltaY: -300});
        await page.mouse.move(at[0] + 1, at[1]);
        await page.mouse.move(at[0], at[1]);
        assert.equal(await tipShown(d), "89.9800 => 89.7008  d=0.2792", "the marker stays under the pointer");
        const zoomed = await pointedLeft();
        assert.ok(89.98 - zoomed < (89.98 - whole) * 0.6, `${whole} → ${zoomed}: three notches in`);
        await d.keys(["Home"]);
        assert.equal(await pointedLeft(), whole);
    }],
    ["the report's menu, a press and a failed press: the chart follows the run", async (d, url, {page}) => {
        await open(d, url);
        await d.click("#button1");
        await page.click("#memo1", {button: "right"});
        const entries = await d.eval(() => [...document.querySelectorAll("#menu > *")]
            .map(item => item.getAttribute("role") === "separator" ? "—" : item.firstChild.textContent));
        assert.deepEqual(entries, ["Копировать", "Выделить всё", "—", "График отклонений"]);
        await page.click("#menu [role=menuitem]:last-child");
        assert.equal((await panel(d)).label, defaultTitle);
        await d.eval(() => {
            document.getElementById("edit1").value = "10";
            document.getElementById("edit2").value = "20";
        });
        await d.click("#button1");
        assert.equal((await panel(d)).label, "График отклонений: 10.00 … 20.00, отсчётов: 1000");
        await d.eval(() => { document.getElementById("edit1").value = "1e400"; });
        await d.click("#button1");
        await d.keys(["Enter"]);
        assert.equal((await panel(d)).label, "График отклонений: 10.00 … 20.00, отсчётов: 1000");
    }],
    ["downloads: the samples as formula-scan writes them, the image at the chart's size", async (d, url, {page, scan}) => {
        const saved = await downloads(page);
        try {
            await open(d, url);
            await d.click("#button1");
            await d.keys(["Control+g", "Control+s"]);
            const csv = await saved.take("отклонения.csv"), expected = scanSamples(scan, "0.00", "89.99");
            assert.ok(csv.equals(expected), `the default range: ${csv.length} bytes for ${expected.length}`);
            await d.eval(() => {
                document.getElementById("edit1").value = "45.5";
                document.getElementById("edit2").value = "44";
            });
            await d.click("#button1");
            await page.click("#chart-body", {button: "right"});
            await page.click("#menu [role=menuitem]:last-child");
            assert.ok((await saved.take("отклонения.csv")).equals(scanSamples(scan, "45.5", "44")), "45.5 … 44");
            await d.keys(["Control+Shift+S"]);
            const png = (await saved.take("отклонения.png")).toString("base64");
            const sizes = await d.eval(async bytes => {
                const image = await createImageBitmap(await (await fetch("data:image/png;base64," + bytes)).blob());
                const body = document.getElementById("chart-body");
                return [[image.width, image.height], [body.clientWidth, body.clientHeight]];
            }, png);
            assert.deepEqual(sizes[0], sizes[1]);
        } finally {
            saved.remove();
        }
    }],
];

module.exports = {chartScenarios, chartChromiumOnly};
