// placeholder until the lang unit lands
