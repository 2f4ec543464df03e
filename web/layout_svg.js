// A display mode's layout as a small picture: the output area and its four channel windows,
// stacked as the processor stacks them.
const kSvg = "http://www.w3.org/2000/svg";
const kFallbackArea = { width: 1920, height: 1080 };

function svgElement(name, attributes) {
  const element = document.createElementNS(kSvg, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  return element;
}

function outputArea(width, height) {
  return width > 0 && height > 0 ? { width, height } : kFallbackArea;
}

// The channels from the bottom layer to the top; channels the order leaves out go underneath.
function stackedChannels(mode) {
  const channels = Array.isArray(mode.channels) ? mode.channels : [];
  const order = Array.isArray(mode.order) ? mode.order : [];
  const rank = (channel) => {
    const position = order.indexOf(channel.number);
    return position < 0 ? -1 : position;
  };
  return [...channels].sort((a, b) => rank(a) - rank(b));
}

// The number sits in the window's top left corner, so that it stays visible under a window
// stacked over the rest of it.
function channelWindow(channel, areaSize) {
  const labelSize = Math.min(areaSize * 0.2, channel.width * 0.8, channel.height * 0.8);
  const inset = labelSize * 0.25;
  const group = svgElement("g", { class: channel.on ? `window ch${channel.number}` : "window off" });
  group.append(svgElement("rect", {
    x: channel.x, y: channel.y, width: channel.width, height: channel.height,
  }));
  const label = svgElement("text", {
    x: channel.x + inset,
    y: channel.y + inset,
    "font-size": labelSize,
  });
  label.textContent = String(channel.number);
  group.append(label);
  return group;
}

export function LayoutPicture(mode, outputWidth, outputHeight) {
  const area = outputArea(outputWidth, outputHeight);
  const svg = svgElement("svg", {
    viewBox: `0 0 ${area.width} ${area.height}`,
    class: "layout",
    "aria-hidden": "true",
  });
  svg.append(svgElement("rect", { class: "screen", width: area.width, height: area.height }));
  const areaSize = Math.min(area.width, area.height);
  for (const channel of stackedChannels(mode)) {
    if (channel.width > 0 && channel.height > 0) svg.append(channelWindow(channel, areaSize));
  }
  return svg;
}
