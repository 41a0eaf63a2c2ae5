import sigrokdecode as srd

class Decoder(srd.Decoder):
    api_version = 3
    id = 'voltarix_fault'
    name = 'Fault'
    longname = 'Decoder that fails at the first edge'
    desc = 'Raises an exception at the first edge of its line.'
    license = 'gplv2+'
    inputs = ['logic']
    outputs = []
    tags = ['Debug/trace']
    channels = (
        {'id': 'line', 'name': 'Line', 'desc': 'Any line'},
    )
    annotations = (
        ('edge', 'Edge'),
    )

    def reset(self):
        pass

    def start(self):
        self.out_ann = self.register(srd.OUTPUT_ANN)

    def decode(self):
        self.wait({0: 'e'})
        raise ValueError('edge seen at sample %d' % self.samplenum)
