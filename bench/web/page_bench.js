// The page's speed in headless Chromium, beside the native scan in the same
// run: node page_bench.js WEB-DIR NATIVE-MPFR-FORMULA-BENCH [PACKAGE.zip]
//   - from navigation to the window shown, ready to press (median of 7 loads);
//   - a press with the defaults, from the click to the report laid out in the
//     report area (median of 50; the area is blanked before each, so that every
//     press replaces it; the paint that follows is the browser's next frame);
//   - with the chart open, a press from the click to the chart drawn anew
//     (median of 20: uPlot draws in a microtask, done before the next task);
//   - the chart's CSV of the default range, from Ctrl+S to the download handed
//     to the browser (median of 20);
//   - the native mpfr backend's BM_ScanDeviations (median of 5 repetitions);
//   - the package and the page's files, plain and gzipped.
"use strict";

const {execFileSync} = require("child_process");
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const {launch} = require("../../tests/web/puppeteer");
const {serve} = require("../../tests/web/serve");

const median = values => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
    const [webDir, nativeBench, zip] = process.argv.slice(2);
    const dir = path.resolve(webDir);
    const server = await serve(dir, 10 * 60000);
    const browser = await launch("chromium");
    const loads = [], presses = [], chartPresses = [], csvs = [];
    try {
        for (let round = 0; round < 7; ++round) {
            const page = await browser.newPage();
            // Each load from the server, as a first visit is.
            await page.setCacheEnabled(false);
            await page.setBypassServiceWorker(true);
            await page.evaluateOnNewDocument(() => {
                new MutationObserver((changes, observer) => {
                    if (!document.getElementById("window").hidden) {
                        window.readyAt = performance.now();
                        observer.disconnect();
                    }
                }).observe(document, {attributes: true, subtree: true, attributeFilter: ["hidden"]});
            });
            await page.goto(server.url + "formula-test.html?" + round, {waitUntil: "load"});
            await page.waitForFunction(() => window.readyAt !== undefined, {timeout: 30000});
            loads.push(await page.evaluate(() => window.readyAt));
            if (round === 0)
                presses.push(...await page.evaluate(async () => {
                    const memo = document.getElementById("memo1");
                    const times = [];
                    for (let i = 0; i < 50; ++i) {
                        memo.value = "\n";
                        await new Promise(resolve => requestAnimationFrame(() => setTimeout(resolve)));
                        const start = performance.now();
                        document.getElementById("button1").click();
                        // Reading a size lays out the new text.
                        void memo.scrollHeight;
                        times.push(performance.now() - start);
                    }
                    return times;
                }));
            if (round === 0) {
                const chart = await page.evaluate(async () => {
                    document.getElementById("chart-link").click();
                    const next = () => new Promise(resolve => setTimeout(resolve));
                    const presses = [], csvs = [];
                    for (let i = 0; i < 20; ++i) {
                        document.getElementById("edit2").value = i % 2 ? "89.99" : "89.98";
                        await new Promise(resolve => requestAnimationFrame(() => setTimeout(resolve)));
                        const start = performance.now();
                        document.getElementById("button1").click();
                        await next();
                        presses.push(performance.now() - start);
                    }
                    // The download's link goes nowhere: only the time to hand it over counts.
                    HTMLAnchorElement.prototype.click = function () {};
                    const body = document.getElementById("chart-body");
                    for (let i = 0; i < 20; ++i) {
                        const start = performance.now();
                        body.dispatchEvent(new KeyboardEvent("keydown", {key: "s", ctrlKey: true, bubbles: true}));
                        csvs.push(performance.now() - start);
                        await next();
                    }
                    return {presses, csvs};
                });
                chartPresses.push(...chart.presses);
                csvs.push(...chart.csvs);
            }
            await page.close();
        }
    } finally {
        await browser.close();
        await server.close();
    }
    const native = JSON.parse(execFileSync(nativeBench, ["--benchmark_filter=^BM_ScanDeviations$",
        "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true", "--benchmark_format=json"]));
    const nativeMs = native.benchmarks.find(b => b.aggregate_name === "median").real_time / 1e3;

    const files = fs.readdirSync(dir).filter(name => fs.statSync(path.join(dir, name)).isFile());
    const sizes = files.map(name => fs.readFileSync(path.join(dir, name)));
    const plain = sizes.reduce((sum, bytes) => sum + bytes.length, 0);
    const gzipped = sizes.reduce((sum, bytes) => sum + zlib.gzipSync(bytes, {level: 9}).length, 0);
    const pressMs = median(presses);
    console.log(`navigation to ready: ${median(loads).toFixed(1)} ms (of ${loads.map(t => t.toFixed(0)).join(", ")})`);
    console.log(`a press with the defaults to the report laid out: ${pressMs.toFixed(2)} ms`);
    console.log(`with the chart open, a press to the chart drawn anew: ${median(chartPresses).toFixed(2)} ms`);
    console.log(`the CSV of the default range, Ctrl+S to the download: ${median(csvs).toFixed(2)} ms`);
    console.log(`native mpfr BM_ScanDeviations: ${nativeMs.toFixed(2)} ms; the press takes ${(pressMs / nativeMs).toFixed(2)}x`);
    console.log(`the page's ${files.length} files: ${plain} bytes, ${gzipped} gzipped`);
    if (zip)
        console.log(`${path.basename(zip)}: ${fs.statSync(zip).size} bytes`);
}

main().catch(error => {
    console.error(error);
    process.exitCode = 1;
});
