// The chart's panel: uPlot draws what the core's chart decides (the view, the
// ticks and their labels, the sample pointed to, the key walk, the placement);
// this script draws, places and passes on the pointer and the keys.
"use strict";

window.FormulaTestChart = function (core, chart, {report, designed, chosenLine, giveFocusBack}) {
    const look = core.ChartLook();
    const panel = document.getElementById("chart");
    const body = document.getElementById("chart-body");
    const tip = document.getElementById("chart-tip");
    document.getElementById("chart-caption").textContent = look.caption;
    body.setAttribute("aria-label", look.caption + ": " + look.noSamples);

    const fontPixels = 12;
    const font = `${fontPixels}px sans-serif`;
    const titleFont = `bold ${fontPixels}px sans-serif`;
    const largeFont = `${fontPixels * look.noSamplesScale}px sans-serif`;
    const lineHeight = Math.round(fontPixels * 1.5);
    // A pointer that moves less than this between press and release clicks.
    const dragDistance = 4;
    const canCopy = window.isSecureContext && navigator.clipboard && navigator.clipboard.write && window.ClipboardItem;

    let plot = null;  // uPlot, built when the chart is first opened
    let drawn = null;  // the samples it draws: angles, d, and the kept ones' indices
    let shownTitle = "";
    let hasSamples = false;
    let stale = true;  // the plot does not show the chart's run yet
    const ticks = [];  // per axis: the range they were taken for, values and labels

    const measurer = document.createElement("canvas").getContext("2d");
    function textWidth(text, withFont) {
        measurer.font = withFont;
        return measurer.measureText(text).width;
    }

    function axisTicks(axis, min, max) {
        const cached = ticks[axis];
        if (!cached || cached.min !== min || cached.max !== max)
            ticks[axis] = {min, max, ...core.Ticks(axis === 0, min, max)};
        return ticks[axis];
    }

    // The pixel mapping of the plot, as the core takes it: CSS pixels of the
    // plot's own area.
    const plotArea = () => ({left: 0, top: 0, width: plot.over.clientWidth, height: plot.over.clientHeight});

    function build() {
        const dot = (size, fill, stroke, width) => ({show: true, size, fill, stroke, width});
        const ratio = () => uPlot.pxRatio;
        plot = new uPlot({
            width: look.size.width,
            height: look.size.height,
            padding: [plotTop, 16, 4, 4],
            legend: {show: false},
            cursor: {show: false, drag: {x: false, y: false, setScale: false}, points: {show: false}},
            select: {show: true},
            scales: {
                x: {time: false, auto: false, range: () => { const v = chart.View(); return [v.left, v.right]; }},
                y: {auto: false, range: () => { const v = chart.View(); return [v.bottom, v.top]; }},
            },
            axes: [
                {
                    label: look.angleAxisTitle, font, labelFont: font, stroke: "#000",
                    splits: (u, axis, min, max) => axisTicks(0, min, max).values,
                    values: () => ticks[0].labels,
                    grid: {stroke: "#e6e6e6", width: 1},
                    ticks: {stroke: "#000", width: 1, size: 5},
                },
                {
                    label: look.dAxisTitle, font, labelFont: font, labelSize: 20, stroke: "#000",
                    splits: (u, axis, min, max) => axisTicks(1, min, max).values,
                    values: () => ticks[1].labels,
                    size: (u, values) => Math.ceil(Math.max(0, ...(values || []).map(v => textWidth(v, font)))) + 14,
                    grid: {stroke: "#e6e6e6", width: 1},
                    ticks: {stroke: "#000", width: 1, size: 5},
                },
            ],
            series: [
                {},
                {label: look.lineName, stroke: look.lineColour, width: look.lineWidth, points: {show: false}},
                {label: look.markersName, stroke: look.markerColour, paths: () => null,
                 points: dot(look.markerSize, look.markerColour, look.markerColour, 0)},
                {label: look.largestName, stroke: look.ringColour, paths: () => null,
                 points: dot(look.largestMarkerSize, look.markerColour, look.ringColour, look.ringWidth)},
            ],
            hooks: {
                // A saved or copied image has the page's white, not transparency.
                drawClear: [u => {
                    u.ctx.save();
                    u.ctx.fillStyle = "#fff";
                    u.ctx.fillRect(0, 0, u.ctx.canvas.width, u.ctx.canvas.height);
                    u.ctx.restore();
                }],
                drawAxes: [u => { if (hasSamples) drawZeroLine(u, ratio()); }],
                draw: [u => drawTexts(u, ratio())],
            },
        }, [[], [], [], []], body);
        const over = plot.over;
        over.addEventListener("pointerdown", pointerDown);
        over.addEventListener("pointermove", pointerMove);
        over.addEventListener("pointerup", pointerUp);
        over.addEventListener("pointercancel", () => { drag = null; plot.setSelect({left: 0, top: 0, width: 0, height: 0}, false); });
        over.addEventListener("pointerleave", event => { if (!drag && event.pointerType === "mouse") tip.hidden = true; });
        over.addEventListener("wheel", wheel, {passive: false});
    }

    function drawZeroLine(u, ratio) {
        const v = chart.View();
        if (v.bottom > 0 || v.top < 0)
            return;
        const y = Math.round(u.valToPos(0, "y", true)) + 0.5;
        const ctx = u.ctx;
        ctx.save();
        ctx.strokeStyle = look.zeroLineColour;
        ctx.lineWidth = look.lineWidth * ratio;
        ctx.beginPath();
        ctx.moveTo(u.bbox.left, y);
        ctx.lineTo(u.bbox.left + u.bbox.width, y);
        ctx.stroke();
        ctx.restore();
    }

    // The legend's entries in rows as wide as the chart lets them be.
    const legendSymbol = 18, legendGap = 6, legendApart = 20;
    const legend = [[look.lineName, "line"], [look.markersName, "marker"], [look.largestName, "largest"]]
        .map(([name, kind]) => ({name, kind, width: legendSymbol + legendGap + textWidth(name, font)}));
    function legendRows(width) {
        const rows = [];
        for (const entry of legend) {
            const row = rows.at(-1);
            if (row && row.width + legendApart + entry.width <= width - 8) {
                row.entries.push(entry);
                row.width += legendApart + entry.width;
            } else {
                rows.push({entries: [entry], width: entry.width});
            }
        }
        return rows;
    }
    // Above the plot: the title line, then the legend.
    const plotTop = u => 6 + (1 + legendRows(u.width).length) * lineHeight + 4;

    function drawSymbol(ctx, kind, x, y) {
        if (kind === "line") {
            ctx.strokeStyle = look.lineColour;
            ctx.lineWidth = look.lineWidth;
            ctx.beginPath();
            ctx.moveTo(x, y);
            ctx.lineTo(x + legendSymbol, y);
            ctx.stroke();
            return;
        }
        ctx.fillStyle = look.markerColour;
        ctx.beginPath();
        ctx.arc(x + legendSymbol / 2, y, (kind === "largest" ? look.largestMarkerSize : look.markerSize) / 2, 0, 2 * Math.PI);
        ctx.fill();
        if (kind === "largest") {
            ctx.strokeStyle = look.ringColour;
            ctx.lineWidth = look.ringWidth;
            ctx.stroke();
        }
    }

    // The title line, the legend, and "Нет отсчётов" in the plot without samples.
    function drawTexts(u, ratio) {
        const ctx = u.ctx;
        const width = ctx.canvas.width;
        ctx.save();
        ctx.scale(ratio, ratio);
        ctx.textBaseline = "middle";
        ctx.fillStyle = "#000";
        ctx.font = titleFont;
        ctx.textAlign = "center";
        ctx.fillText(shownTitle, width / ratio / 2, 6 + lineHeight / 2);

        ctx.font = font;
        ctx.textAlign = "left";
        legendRows(width / ratio).forEach((row, rowIndex) => {
            let x = (width / ratio - row.width) / 2;
            const y = 6 + lineHeight * (rowIndex + 1.5);
            for (const {name, kind, width: entryWidth} of row.entries) {
                drawSymbol(ctx, kind, x, y);
                ctx.fillStyle = "#000";
                ctx.fillText(name, x + legendSymbol + legendGap, y);
                x += entryWidth + legendApart;
            }
        });

        if (!hasSamples) {
            ctx.font = largeFont;
            ctx.textAlign = "center";
            ctx.fillStyle = look.noSamplesColour;
            const box = u.bbox;
            ctx.fillText(look.noSamples, (box.left + box.width / 2) / ratio, (box.top + box.height / 2) / ratio);
        }
        ctx.restore();
    }

    // The run the chart holds, drawn: every sample on the line, the kept ones
    // as markers, the largest deviation on a series of its own, drawn last.
    function plotRun() {
        drawn = chart.Samples();
        const {angles, d, kept} = drawn;
        const markers = new Array(angles.length).fill(null);
        const largest = new Array(angles.length).fill(null);
        kept.forEach((index, order) => { (order === 0 ? largest : markers)[index] = d[index]; });
        shownTitle = chart.Title();
        hasSamples = angles.length > 0;
        body.setAttribute("aria-label", look.caption + ": " + (hasSamples ? shownTitle : look.noSamples));
        tip.hidden = true;
        plot.setData([angles, d, markers, largest]);
        showView();
        stale = false;
    }

    function showView() {
        const v = chart.View();
        plot.batch(() => {
            plot.setScale("x", {min: v.left, max: v.right});
            plot.setScale("y", {min: v.bottom, max: v.top});
        });
    }

    // The page's visible area is the chart's screen; it goes beside the
    // designed window, which it never moves.
    function place() {
        const frame = {width: panel.offsetWidth - body.clientWidth, height: panel.offsetHeight - body.clientHeight};
        const grown = size => ({width: size.width + frame.width, height: size.height + frame.height});
        const box = designed.getBoundingClientRect();
        const placed = core.PlaceChart(
            {left: 0, top: 0, width: document.documentElement.clientWidth, height: document.documentElement.clientHeight},
            {left: Math.round(box.left), top: Math.round(box.top), width: Math.round(box.width), height: Math.round(box.height)},
            grown(look.size), grown(look.leastSize));
        panel.style.left = placed.left + "px";
        panel.style.top = placed.top + "px";
        panel.style.width = placed.width + "px";
        panel.style.height = placed.height + "px";
        plot.setSize({width: placed.width - frame.width, height: placed.height - frame.height});
    }
    addEventListener("resize", () => { if (!panel.hidden) place(); });

    function open() {
        if (!plot)
            build();
        if (panel.hidden) {
            panel.hidden = false;
            place();
        }
        if (stale)
            plotRun();
        body.focus();
    }

    function close() {
        const had = panel.contains(document.activeElement);
        panel.hidden = true;
        tip.hidden = true;
        chosenLine.hidden = true;
        if (had)
            giveFocusBack();
    }
    document.getElementById("chart-close").addEventListener("click", close);

    // A successful press: the chart shows its run from now on.
    function update() {
        stale = true;
        chosenLine.hidden = true;
        if (plot && !panel.hidden)
            plotRun();
    }

    // The tip stands at the point it tells of, beside it where it fits.
    function showTip(text, x, y) {
        if (text === null) {
            tip.hidden = true;
            return;
        }
        tip.textContent = text;
        tip.hidden = false;
        const overBox = plot.over.getBoundingClientRect(), panelBox = panel.getBoundingClientRect();
        const left = overBox.left - panelBox.left - panel.clientLeft + x;
        const topAt = overBox.top - panelBox.top - panel.clientTop + y;
        tip.style.left = left + "px";
        tip.style.top = topAt + "px";
        const offset = 10;
        const dx = left + offset + tip.offsetWidth > panel.clientWidth ? `calc(-100% - ${offset}px)` : `${offset}px`;
        const dy = topAt + offset + tip.offsetHeight > panel.clientHeight ? `calc(-100% - ${offset}px)` : `${offset}px`;
        tip.style.transform = `translate(${dx}, ${dy})`;
    }

    // The chosen sample: in view, its line in the tip beside its marker, and
    // that line selected in the report, in its middle.
    function choose(kept) {
        const line = chart.ChosenLine();
        if (kept < 0 || !line)
            return;
        const index = drawn.kept[kept];
        showView();
        select(line.number);
        showTip(line.text, plot.valToPos(drawn.angles[index], "x"), plot.valToPos(drawn.d[index], "y"));
    }

    function select(lineNumber) {
        const lines = report.value.split("\n");
        const start = lines.slice(0, lineNumber).reduce((sum, line) => sum + line.length + 1, 0);
        report.setSelectionRange(start, start + lines[lineNumber].length);
        const box = lineBox(lines, lineNumber);
        report.scrollTop = box.top + box.height / 2 - report.clientHeight / 2;
        markChosenLine(box);
    }

    // Where a line of the report stands in its text, wrapped as the report
    // wraps it: measured on a copy with the report's style and width.
    function lineBox(lines, lineNumber) {
        const style = getComputedStyle(report);
        const copy = document.createElement("div");
        for (const property of ["font", "padding", "whiteSpace", "overflowWrap", "wordBreak", "letterSpacing",
                                "lineHeight", "tabSize"])
            copy.style[property] = style[property];
        copy.style.cssText += ";position:absolute;visibility:hidden;box-sizing:border-box;border:0;top:0;left:0";
        copy.style.width = report.clientWidth + "px";
        copy.textContent = lines.slice(0, lineNumber).join("\n") + (lineNumber > 0 ? "\n" : "");
        const line = document.createElement("span");
        line.textContent = lines[lineNumber] || " ";
        copy.append(line);
        report.parentElement.append(copy);
        const box = {top: line.offsetTop, height: line.offsetHeight};
        copy.remove();
        return box;
    }

    let markedBox = null;
    function markChosenLine(box) {
        markedBox = box;
        placeChosenLine();
    }
    function placeChosenLine() {
        if (!markedBox || document.activeElement === report) {
            chosenLine.hidden = true;
            return;
        }
        const borderTop = report.clientTop, borderLeft = report.clientLeft;
        const topIn = markedBox.top - report.scrollTop;
        const visible = topIn + markedBox.height > 0 && topIn < report.clientHeight;
        chosenLine.hidden = !visible;
        chosenLine.style.left = report.offsetLeft + borderLeft + "px";
        chosenLine.style.width = report.clientWidth + "px";
        chosenLine.style.top = report.offsetTop + borderTop + Math.max(0, topIn) + "px";
        chosenLine.style.height = Math.min(markedBox.height + Math.min(0, topIn), report.clientHeight - Math.max(0, topIn)) + "px";
    }
    report.addEventListener("scroll", placeChosenLine);
    report.addEventListener("focus", placeChosenLine);
    report.addEventListener("blur", placeChosenLine);
    report.addEventListener("input", () => { markedBox = null; placeChosenLine(); });

    // The pointer: a drag zooms into its rectangle, Shift with the left button
    // or the middle button pans, a click chooses the marker under it, a touch
    // drags the view and a tap chooses the sample nearest.
    let drag = null;
    function at(event) {
        const box = plot.over.getBoundingClientRect();
        return [event.clientX - box.left, event.clientY - box.top];
    }
    function pointerDown(event) {
        if (event.button !== 0 && event.button !== 1)
            return;
        body.focus({preventScroll: true});
        const [x, y] = at(event);
        const pan = event.button === 1 || event.shiftKey || event.pointerType === "touch";
        drag = {x, y, pan, touch: event.pointerType === "touch", moved: false};
        if (pan)
            chart.StartDrag();
        plot.over.setPointerCapture(event.pointerId);
        event.preventDefault();
    }
    function pointerMove(event) {
        const [x, y] = at(event);
        if (!drag) {
            if (event.pointerType === "mouse")
                showTip(chart.Pointed(x, y, plotArea()), x, y);
            return;
        }
        drag.moved = drag.moved || Math.max(Math.abs(x - drag.x), Math.abs(y - drag.y)) >= dragDistance;
        if (!drag.moved)
            return;
        tip.hidden = true;
        if (drag.pan) {
            chart.Drag(x - drag.x, y - drag.y, plotArea());
            showView();
        } else {
            const area = plotArea();
            const clamp = (value, most) => Math.max(0, Math.min(value, most));
            const [x1, y1] = [clamp(x, area.width), clamp(y, area.height)];
            plot.setSelect({left: Math.min(drag.x, x1), top: Math.min(drag.y, y1),
                            width: Math.abs(x1 - drag.x), height: Math.abs(y1 - drag.y)}, false);
        }
    }
    function pointerUp(event) {
        if (!drag)
            return;
        const [x, y] = at(event);
        const was = drag;
        drag = null;
        plot.setSelect({left: 0, top: 0, width: 0, height: 0}, false);
        if (was.moved) {
            if (!was.pan && Math.min(Math.abs(x - was.x), Math.abs(y - was.y)) >= dragDistance)
                chart.Zoom(plot.posToVal(was.x, "x"), plot.posToVal(was.y, "y"), plot.posToVal(x, "x"), plot.posToVal(y, "y"));
            showView();
            return;
        }
        const kept = chart.KeptAt(x, y, plotArea());
        if (kept >= 0)
            choose(chart.Choose(kept));
        else if (was.touch)
            showTip(chart.Pointed(x, y, plotArea()), x, y);
    }
    function wheel(event) {
        event.preventDefault();
        const perNotch = event.deltaMode === 1 ? 3 : event.deltaMode === 2 ? 1 : 100;
        const [x, y] = at(event);
        chart.ZoomAround(-event.deltaY / perNotch, plot.posToVal(x, "x"), plot.posToVal(y, "y"));
        showView();
        tip.hidden = true;
    }

    // The chart's keys, while it has the focus. On a Mac ⌘ stands for Ctrl.
    const commandKey = event => event.ctrlKey || (/Mac|iPhone|iPad/.test(navigator.platform) && event.metaKey);
    const walk = key => () => choose(chart.Walk(core.WalkKey[key]));
    const zoom = notches => () => { chart.ZoomAtChosen(notches); showView(); };
    const wholeRange = () => { chart.ShowWhole(); showView(); tip.hidden = true; };
    const pan = direction => () => { chart.Pan(core.PanDirection[direction]); showView(); };
    const plainKeys = {
        ArrowRight: walk("Right"), ArrowLeft: walk("Left"), PageDown: walk("PageDown"), PageUp: walk("PageUp"),
        "+": zoom(1), "=": zoom(1), "-": zoom(-1), Home: wholeRange, Escape: wholeRange,
    };
    const shiftKeys = {ArrowLeft: pan("Left"), ArrowRight: pan("Right"), ArrowUp: pan("Up"), ArrowDown: pan("Down")};
    const commandKeys = {g: giveFocusBack, s: saveData, S: saveImage, ...(canCopy ? {c: copyImage} : {})};
    panel.addEventListener("keydown", event => {
        const letter = event.key.length === 1 ? event.key.toLowerCase() : "";
        const action = commandKey(event) ? commandKeys[event.shiftKey ? letter.toUpperCase() : letter]
                     : event.altKey ? undefined
                     : event.shiftKey && event.key.startsWith("Arrow") ? shiftKeys[event.key]
                     : plainKeys[event.key];
        if (!action)
            return;
        action();
        event.preventDefault();
        event.stopPropagation();
    });

    body.addEventListener("contextmenu", event => {
        event.preventDefault();
        const [x, y] = FormulaTestMenu.at(event, body);
        FormulaTestMenu.show(x, y, [
            {text: look.wholeRangeEntry, keys: "Home", action: wholeRange},
            null,
            ...(canCopy ? [{text: look.copyImageEntry, keys: "Ctrl+C", action: copyImage}] : []),
            {text: look.saveImageEntry, keys: "Ctrl+Shift+S", action: saveImage},
            {text: look.saveDataEntry, keys: "Ctrl+S", action: saveData},
        ], body);
    });

    // Downloads: the folder is the browser's.
    function download(blob, name) {
        const link = document.createElement("a");
        link.href = URL.createObjectURL(blob);
        link.download = name;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }
    const image = () => new Promise(resolve => plot.ctx.canvas.toBlob(resolve, "image/png"));
    function saveImage() {
        image().then(blob => download(blob, look.imageName));
    }
    function saveData() {
        download(new Blob([chart.Csv()], {type: "text/csv"}), look.dataName);
    }
    function copyImage() {
        navigator.clipboard.write([new ClipboardItem({"image/png": image()})]).catch(() => {});
    }

    return {open, update, look, commandKey};
};
