// Writes the desk page: one HTML file with the core module, the page's
// script, the layout and the pictures inside (pictures as data: URLs), so
// that it opens from a plain file with nothing fetched.
//   node build_page.js OUT.html KYT_CORE_JS ATLAS_DIR DESK_JS
'use strict';
const fs = require('fs');
const path = require('path');
const [outFile, coreJs, atlasDir, deskJs] = process.argv.slice(2);
const png = (f) => 'data:image/png;base64,' + fs.readFileSync(path.join(atlasDir, f)).toString('base64');
const atlas = JSON.parse(fs.readFileSync(path.join(atlasDir, 'atlas.json'), 'utf8'));
const script = (text) => '<script>' + text.replace(/<\/script/gi, '<\\/script') + '</script>\n';
const html = `<!DOCTYPE html>
<html lang="pl">
<head>
<meta charset="utf-8">
<title>Kyt</title>
<style>
body { margin: 0; background: #fff; }
#frame { position: relative; width: ${atlas.width}px; height: ${atlas.height}px; }
#desk { position: absolute; left: 0; top: 0; image-rendering: pixelated; }
.press { position: absolute; margin: 0; padding: 0; border: 0; background: transparent; cursor: pointer; }
.press:focus-visible { outline: 1px dotted #000; }
#narration { position: absolute; box-sizing: border-box; padding: 4px 6px; overflow: auto; background: #ffffe1;
  font: 11px sans-serif; white-space: pre-wrap; }
</style>
</head>
<body>
<div id="frame">
<canvas id="desk" width="${atlas.width}" height="${atlas.height}"></canvas>
<div id="buttons"></div>
<div id="narration" role="log" aria-live="polite"></div>
</div>
${script('window.KYT_ATLAS=' + JSON.stringify(atlas) + ';window.KYT_ATLAS_PNG=' + JSON.stringify(png('atlas.png')) + ';window.KYT_DESK_PNG=' + JSON.stringify(png('desk.png')) + ';')}${script(fs.readFileSync(coreJs, 'utf8'))}${script(fs.readFileSync(deskJs, 'utf8'))}</body>
</html>
`;
fs.writeFileSync(outFile, html);
console.log(`${outFile}: ${html.length} bytes`);
