// A static server for the page on 127.0.0.1 and a port of its own, which
// closes itself at the latest when the time given runs out.
"use strict";

const fs = require("fs");
const http = require("http");
const path = require("path");

const types = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".webmanifest": "application/manifest+json",
    ".svg": "image/svg+xml",
    ".png": "image/png",
};

function serve(root, lifetimeMs) {
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
        const file = path.join(root, name.endsWith("/") ? name + "formula-test.html" : name);
        if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {"Content-Type": types[path.extname(file)] || "application/octet-stream"});
        fs.createReadStream(file).pipe(response);
    });
    const stop = setTimeout(() => close(), lifetimeMs);
    stop.unref();
    function close() {
        clearTimeout(stop);
        server.closeAllConnections();
        return new Promise(resolve => server.close(() => resolve()));
    }
    return new Promise((resolve, reject) => {
        server.once("error", reject);
        server.listen(0, "127.0.0.1", () => resolve({url: `http://127.0.0.1:${server.address().port}/`, close}));
    });
}

module.exports = {serve};
