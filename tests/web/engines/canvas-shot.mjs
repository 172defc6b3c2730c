// The canvas as the browser shows it, cut out of a screenshot of the whole viewport at its bounding rectangle, in
// device pixels. The drivers' own element screenshots cannot serve: WebKit's come out shifted for a WebGL canvas,
// and puppeteer's round the rectangle to whole CSS pixels, which at a device scale above 1 cuts beside the
// canvas's pixels.
import { PNG } from 'pngjs';

// Runs in the page: the canvas's rectangle in device pixels.
export function canvasDevicePixels() {
  const { x, y, width, height } = document.getElementById('canvas').getBoundingClientRect();
  const scale = window.devicePixelRatio;
  return [x, y, width, height].map((value) => Math.round(value * scale));
}

// The PNG of the canvas, from a PNG screenshot of the viewport and the rectangle canvasDevicePixels gave.
export function cutCanvas(screenshot, [x, y, width, height]) {
  const whole = PNG.sync.read(screenshot);
  const canvas = new PNG({ width, height });
  PNG.bitblt(whole, canvas, x, y, width, height, 0, 0);
  return PNG.sync.write(canvas);
}
