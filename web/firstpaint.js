// Makes the game window's first picture, which the page shows from its first paint on, before
// the program's code has arrived: the program's own start-up, run under Node.js against a
// stand-in for the page that keeps what the program paints on the game window's two canvases.
// The program paints them again at device-pixel ratios 2 and 3, as it does on the page when the
// ratio changes. Each canvas's picture is written into a style sheet as the canvas's background:
// the one at ratio 1, shown at the others with each of its pixels made a square of the screen's,
// and over it, at each ratio where that differs, the pixels that differ. Under that stand the
// page's icons, so that the page carries all of what its first paint shows inside itself. The
// pictures are lossless WebP, which cwebp makes, the smallest there is for them.
//
// Run as: node firstpaint.js <head part to write> <icon of 16 pixels> <of 32> <cwebp>
'use strict';

var childProcess = require('child_process');
var fs = require('fs');
var os = require('os');
var path = require('path');

var output = process.argv[2];
var iconFiles = [process.argv[3], process.argv[4]];
var cwebp = process.argv[5];
var ratios = [1, 2, 3];
var scale = 1;
var canvases = {};

// The program's code, from the file beside this script.
Module.instantiateWasm = function (imports, receive) {
  var module = new WebAssembly.Module(fs.readFileSync(path.join(__dirname, 'firstpaint.wasm')));
  receive(new WebAssembly.Instance(module, imports), module);
  return {};
};

Module.pomvexaScale = function () { return scale; };

Module.pomvexaClear = function (id, width, height, colour) {
  var pixels = new Uint8Array(4 * width * height);
  for (var at = 0; at < pixels.length; at += 4)
    pixels.set([colour & 255, (colour >> 8) & 255, (colour >> 16) & 255, 255], at);
  canvases[id] = {width: width, height: height, pixels: pixels};
};

Module.pomvexaPut = function (id, left, top, width, height, rgba) {
  var canvas = canvases[id];
  for (var row = 0; row < height; ++row)
    canvas.pixels.set(rgba.subarray(4 * row * width, 4 * (row + 1) * width),
                      4 * ((top + row) * canvas.width + left));
};

// What else the program asks of the page as it starts leaves no picture.
Module.pomvexaShowWindow = Module.pomvexaTimer = function () {};
var element = {style: {}, setAttribute: function () {}};
globalThis.document = {getElementById: function () { return element; }};

// The pixels of the picture at ratio 1 (small) shown at ratio (large's), each of them a square
// of ratio x ratio pixels; those of large that differ stay, the others are made transparent.
// Null where none differs.
function difference(large, small, ratio) {
  var pixels = new Uint8Array(large.pixels.length);
  var differs = false;
  for (var y = 0; y < large.height; ++y) {
    for (var x = 0; x < large.width; ++x) {
      var at = 4 * (y * large.width + x);
      var under = 4 * (Math.floor(y / ratio) * small.width + Math.floor(x / ratio));
      for (var channel = 0; channel < 3; ++channel) {
        if (large.pixels[at + channel] != small.pixels[under + channel]) {
          pixels.set(large.pixels.subarray(at, at + 4), at);
          differs = true;
          break;
        }
      }
    }
  }
  return differs ? {width: large.width, height: large.height, pixels: pixels} : null;
}

var scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'firstpaint-'));

// A picture (or a PNG file) as lossless WebP that keeps every pixel's colour exactly.
function webp(picture) {
  var input = picture;
  if (typeof picture != 'string') {
    input = path.join(scratch, 'picture.pam');
    var header = 'P7\nWIDTH ' + picture.width + '\nHEIGHT ' + picture.height +
      '\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n';
    fs.writeFileSync(input, Buffer.concat([Buffer.from(header, 'latin1'), picture.pixels]));
  }
  var result = path.join(scratch, 'picture.webp');
  childProcess.execFileSync(cwebp, ['-quiet', '-lossless', '-exact', '-z', '9', input, '-o',
                                    result]);
  return fs.readFileSync(result);
}

function dataUrl(bytes, type) {
  return 'data:image/' + type + ';base64,' + bytes.toString('base64');
}

function url(bytes, type) {
  return 'url("' + dataUrl(bytes, type) + '")';
}

Module.postRun = [function () {
  var pictures = {};
  ratios.forEach(function (ratio) {
    scale = ratio;
    Module.ccall('pomvexa_event', null, ['number'], [14]); // repaint, at this ratio
    Object.keys(canvases).forEach(function (id) {
      var canvas = canvases[id];
      pictures[id] = pictures[id] || [];
      pictures[id].push(ratio == 1 ? canvas : difference(canvas, pictures[id][0], ratio));
    });
  });
  var none = url(Buffer.from('<svg xmlns="http://www.w3.org/2000/svg"/>'), 'svg+xml');
  var sheet = Object.keys(pictures).map(function (id) {
    var layers = [url(webp(pictures[id][0]), 'webp')];
    if (pictures[id].slice(1).some(Boolean))
      layers.unshift('image-set(' + pictures[id].map(function (picture, index) {
        return (index && picture ? url(webp(picture), 'webp') : none) + ' ' + ratios[index] + 'x';
      }).join(', ') + ')');
    return 'html:not(.running) #' + id + ' { image-rendering: pixelated; background: ' +
      layers.map(function (layer) { return layer + ' 0 0 / 100% 100% no-repeat'; }).join(', ') +
      '; }\n';
  }).join('');
  // The title bars' icon is drawn 16 pixels square: at its own size on each screen, so that it
  // is never made smaller (which a browser may do one way first and another later), from the
  // icon of 16 pixels on the screens at ratio 1, of 32 on the others.
  var icons = iconFiles.map(function (file) { return dataUrl(webp(file), 'webp'); });
  fs.writeFileSync(output, '<link rel="icon" href="' + icons[1] + '" sizes="32x32">\n' +
    '<style>\n' + sheet + '.titlebar .icon { background-image: image-set(url("' + icons[0] +
    '") 1x, url("' + icons[1] + '") 2x); }\n</style>');
  fs.rmSync(scratch, {recursive: true});
}];
