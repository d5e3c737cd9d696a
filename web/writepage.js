// Writes the page into the site: the page as index.html has it, with the game window's first
// picture (the part of the head that firstpaint.js made) where it links firstpaint.css, and
// without what only a reader of the source needs (comments, indentation), so that the page
// with all its first paint shows comes in the first bytes a server may send before it hears
// back from the browser.
//
// Run as: node writepage.js <index.html> <first picture's head part> <page to write>
'use strict';

var fs = require('fs');

var page = fs.readFileSync(process.argv[2], 'utf8');
var tag = '<link rel="stylesheet" href="firstpaint.css">';
if (page.indexOf(tag) < 0)
  throw new Error(process.argv[2] + ' has no ' + tag);
page = page
  .replace(/\/\*[\s\S]*?\*\//g, '') // the style sheet's comments
  .replace(/\n[ \t]*\/\/[^\n]*/g, '') // the script's, each on a line of its own
  .replace(/\n[ \t]+/g, '\n')
  .replace(tag, function () { return fs.readFileSync(process.argv[3], 'utf8'); });
fs.writeFileSync(process.argv[4], page);
