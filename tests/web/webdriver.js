// WebKitGTK through its own WebDriver, in plain WebDriver calls: puppeteer
// cannot drive it. Its browser needs an X display (run under Xvfb).
"use strict";

const {spawn} = require("child_process");
const net = require("net");

const browser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
const keyCodes = {Tab: "\uE004", Enter: "\uE007", Shift: "\uE008", Control: "\uE009", Escape: "\uE00C", " ": "\uE00D"};

function freePort() {
    return new Promise((resolve, reject) => {
        const probe = net.createServer().listen(0, "127.0.0.1", () => {
            const {port} = probe.address();
            probe.close(() => resolve(port));
        });
        probe.once("error", reject);
    });
}

async function call(base, method, path, body) {
    const response = await fetch(base + path, {
        method, headers: {"Content-Type": "application/json"},
        body: body === undefined ? undefined : JSON.stringify(body),
        signal: AbortSignal.timeout(60000),
    });
    const answer = await response.json();
    if (!response.ok)
        throw new Error(`${method} ${path}: ${JSON.stringify(answer.value)}`);
    return answer.value;
}

async function launch() {
    const port = await freePort();
    const driver = spawn("WebKitWebDriver", [`--port=${port}`, "--host=127.0.0.1"], {stdio: "ignore"});
    const base = `http://127.0.0.1:${port}`;
    let session = null;
    try {
        for (let tries = 0; ; ++tries) {
            try {
                await call(base, "GET", "/status");
                break;
            } catch (error) {
                if (tries === 100 || driver.exitCode !== null)
                    throw new Error("WebKitWebDriver did not start: " + error.message);
                await new Promise(resolve => setTimeout(resolve, 100));
            }
        }
        session = (await call(base, "POST", "/session", {capabilities: {alwaysMatch: {
            "webkitgtk:browserOptions": {binary: browser, args: ["--automation"]}}}})).sessionId;
    } catch (error) {
        driver.kill();
        throw error;
    }
    const command = (method, path, body) => call(base, method, `/session/${session}${path}`, body);
    const element = async selector =>
        Object.values(await command("POST", "/element", {using: "css selector", value: selector}))[0];
    const page = {
        load: url => command("POST", "/url", {url}),
        eval: (script, ...args) => command("POST", "/execute/sync", {script: `return (${script})(...arguments);`, args}),
        async keys(list) {
            const actions = [];
            for (const key of list) {
                const parts = key.length > 1 ? key.split("+").map(part => keyCodes[part] || part) : [keyCodes[key] || key];
                for (const part of parts)
                    actions.push({type: "keyDown", value: part});
                for (const part of parts.reverse())
                    actions.push({type: "keyUp", value: part});
            }
            await command("POST", "/actions", {actions: [{type: "key", id: "keyboard", actions}]});
        },
        click: async selector => command("POST", `/element/${await element(selector)}/click`, {}),
        resize: (width, height) => command("POST", "/window/rect", {width, height}),
    };
    return {
        page,
        async close() {
            await command("DELETE", "").catch(() => {});
            driver.kill();
        },
    };
}

module.exports = {launch};
