// Writes the desk page: one HTML file with the core module, the page's
// script bundle, its style, the layout and the pictures inside (pictures
// as a data: URL, so that the page can read their pixels), so that it opens
// from a plain file with nothing fetched. Further scripts (the program's
// windows) come before the bundle, in the order given.
//   node build_page.js OUT.html KYT_CORE_JS ATLAS_DIR BUNDLE_JS PAGE_CSS [SCRIPT...]
'use strict';
const fs = require('fs');
const path = require('path');
const [outFile, coreJs, atlasDir, bundleJs, pageCss, ...scripts] = process.argv.slice(2);
if (!pageCss) {
    console.error('usage: node build_page.js OUT.html KYT_CORE_JS ATLAS_DIR BUNDLE_JS PAGE_CSS [SCRIPT...]');
    process.exit(2);
}
const png = (f) => 'data:image/png;base64,' + fs.readFileSync(path.join(atlasDir, f)).toString('base64');
const atlas = JSON.parse(fs.readFileSync(path.join(atlasDir, 'atlas.json'), 'utf8'));
const script = (text) => '<script>' + text.replace(/<\/script/gi, '<\\/script') + '</script>\n';
const css = fs.readFileSync(pageCss, 'utf8').replace(/<\/style/gi, '<\\/style');
const html = `<!DOCTYPE html>
<html lang="pl">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width">
<title>Kyt</title>
<style>
${css}</style>
</head>
<body>
${script('window.KYT_ATLAS=' + JSON.stringify(atlas) + ';window.KYT_ATLAS_PNG=' + JSON.stringify(png('atlas.png')) + ';')}${script(fs.readFileSync(coreJs, 'utf8'))}${scripts.map((f) => script(fs.readFileSync(f, 'utf8'))).join('')}${script(fs.readFileSync(bundleJs, 'utf8'))}</body>
</html>
`;
fs.writeFileSync(outFile, html);
console.log(`${outFile}: ${html.length} bytes`);
