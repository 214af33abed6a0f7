// A tablet four times slower than a desktop, on "Fast 3G" as the browser's
// developer tools have it: where a child's first tap is most likely lost.
// Shared by the browser tests and the benchmark so that both mean the same.
async function slowTablet(browser) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 }, hasTouch: true, isMobile: true });
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions',
    { offline: false, latency: 562.5, downloadThroughput: 180000, uploadThroughput: 84375 });
  return { context, page };
}

module.exports = { slowTablet };
