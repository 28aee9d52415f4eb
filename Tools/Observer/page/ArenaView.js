// The arena seen from above: x to the right, z up. Three stacked canvases, so the floor is drawn once
// per match and the heat only when a new influence map comes.
import { playerColour } from './PlayerStyle.js';

const ARENA_HALF = 52; // the arena is 104 by 104 world units around the origin
const INNER_WALL = 50;
// The influence grids cover the walkable floor of the navigation mesh, row 0 at the smallest z.
const FLOOR_LOW = -48.5;
const FLOOR_HIGH = 48.5;
const DOT_RADIUS = 1.6; // world units
const BACKGROUND = '#0d0f12';

export class ArenaView {
  constructor(floorCanvas, heatCanvas, playersCanvas) {
    this.layers = [floorCanvas, heatCanvas, playersCanvas];
    this.shownFloor = undefined;
    this.shownHeat = undefined;
  }

  // Canvas pixels follow the displayed size; a change of size redraws every layer.
  fitToPage() {
    let changed = false;
    for (const canvas of this.layers) {
      const size = Math.round(canvas.clientWidth * window.devicePixelRatio);
      if (size > 0 && canvas.width !== size) {
        canvas.width = size;
        canvas.height = size;
        changed = true;
      }
    }
    if (changed) this.shownFloor = this.shownHeat = undefined;
  }

  drawFloor(floor) {
    if (floor === this.shownFloor) return;
    this.shownFloor = floor;
    const [canvas] = this.layers;
    const context = canvas.getContext('2d');
    context.fillStyle = BACKGROUND;
    context.fillRect(0, 0, canvas.width, canvas.height);
    if (floor) {
      // Open floor light, tight spots and walls dark: the distance to the nearest wall.
      this.drawTiles(context, floor, (value) => {
        const shade = 40 + value * 120;
        return [shade, shade + 6, shade + 14, 255];
      }, false);
    }
    context.strokeStyle = '#5a6270';
    context.lineWidth = this.scale() * 0.8;
    for (const half of [INNER_WALL, ARENA_HALF - 0.5]) {
      const [left, top] = this.toCanvas(-half, half);
      context.strokeRect(left, top, 2 * half * this.scale(), 2 * half * this.scale());
    }
  }

  drawHeat(heat) {
    if (heat === this.shownHeat) return;
    this.shownHeat = heat;
    const canvas = this.layers[1];
    const context = canvas.getContext('2d');
    context.clearRect(0, 0, canvas.width, canvas.height);
    if (!heat) return;
    // Red where players were a while ago, yellow where they are now.
    this.drawTiles(context, heat, (value) => {
      const strength = Math.min(1, Math.max(0, value));
      return [255, 40 + 200 * strength, 30 * strength, 220 * strength];
    }, true);
  }

  // players: Map id -> {x, z, trail}
  drawPlayers(players) {
    const canvas = this.layers[2];
    const context = canvas.getContext('2d');
    context.clearRect(0, 0, canvas.width, canvas.height);
    context.lineCap = 'round';
    context.lineJoin = 'round';
    for (const [id, player] of players) {
      context.strokeStyle = playerColour(id, 0.55);
      context.lineWidth = this.scale() * 0.8;
      context.beginPath();
      player.trail.forEach(([x, z], index) => {
        const [left, top] = this.toCanvas(x, z);
        if (index === 0) context.moveTo(left, top);
        else context.lineTo(left, top);
      });
      context.stroke();
    }
    for (const [id, player] of players) {
      const [left, top] = this.toCanvas(player.x, player.z);
      context.beginPath();
      context.arc(left, top, DOT_RADIUS * this.scale(), 0, 2 * Math.PI);
      context.fillStyle = playerColour(id, 1);
      context.fill();
      context.lineWidth = Math.max(1, this.scale() * 0.3);
      context.strokeStyle = '#000';
      context.stroke();
    }
  }

  // One pixel per tile, then stretched over the floor's extent.
  drawTiles(context, grid, colourOf, smooth) {
    const tiles = new ImageData(grid.width, grid.height);
    for (let row = 0; row < grid.height; row++) {
      for (let column = 0; column < grid.width; column++) {
        const pixel = ((grid.height - 1 - row) * grid.width + column) * 4;
        tiles.data.set(colourOf(grid.tiles[row * grid.width + column]), pixel);
      }
    }
    const image = document.createElement('canvas');
    image.width = grid.width;
    image.height = grid.height;
    image.getContext('2d').putImageData(tiles, 0, 0);
    context.imageSmoothingEnabled = smooth;
    const [left, top] = this.toCanvas(FLOOR_LOW, FLOOR_HIGH);
    const size = (FLOOR_HIGH - FLOOR_LOW) * this.scale();
    context.drawImage(image, left, top, size, size);
  }

  scale() {
    return this.layers[0].width / (2 * ARENA_HALF);
  }

  toCanvas(x, z) {
    return [(x + ARENA_HALF) * this.scale(), (ARENA_HALF - z) * this.scale()];
  }
}
