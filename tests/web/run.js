// Runs the page's scenarios in one engine:
//   node run.js chromium|firefox|webkit WEB-DIR FORMULA-SCAN
// Prints a line per scenario and closes with "N passed, N failed".
"use strict";

const path = require("path");
const {scenarios: windowScenarios} = require("./scenarios");
const {chartScenarios, chartChromiumOnly} = require("./chart");
const {serve} = require("./serve");

async function main() {
    const [engine, webDir, scan] = process.argv.slice(2);
    const scenarios = [...windowScenarios, ...chartScenarios];
    const dir = path.resolve(webDir);
    const server = await serve(dir, 10 * 60000);
    const url = server.url + "formula-test.html";
    let passed = 0, failed = 0;
    async function each(list, run) {
        for (const [name, scenario] of list) {
            try {
                await run(scenario);
                console.log(`ok   ${engine}: ${name}`);
                ++passed;
            } catch (error) {
                console.log(`FAIL ${engine}: ${name}\n     ${String(error.stack || error).split("\n").slice(0, 12).join("\n     ")}`);
                ++failed;
            }
        }
    }
    try {
        if (engine === "webkit") {
            const browser = await require("./webdriver").launch();
            try {
                await each(scenarios, scenario => scenario(browser.page, url));
            } finally {
                await browser.close();
            }
        } else {
            const {launch, driverFor, chromiumOnly} = require("./puppeteer");
            const browser = await launch(engine);
            try {
                const list = engine === "chromium" ? [...scenarios, ...chromiumOnly, ...chartChromiumOnly] : scenarios;
                await each(list, async scenario => {
                    const page = await browser.newPage();
                    try {
                        await scenario(driverFor(page), url, {page, dir, scan});
                    } finally {
                        await page.close();
                    }
                });
            } finally {
                await browser.close();
            }
        }
    } finally {
        await server.close();
    }
    console.log(`${passed} passed, ${failed} failed`);
    process.exitCode = failed === 0 ? 0 : 1;
}

main().catch(error => {
    console.error(error);
    process.exitCode = 1;
});
